#include "records/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

#include "platform/core/File.h"

CFileDescriptor::~CFileDescriptor() { Close(); }

CFileDescriptor::CFileDescriptor(CFileDescriptor&& other) noexcept
    : m_nDescriptor(std::exchange(other.m_nDescriptor, -1)) {}

CFileDescriptor& CFileDescriptor::operator=(CFileDescriptor&& other) noexcept {
    if (this != &other) {
        Close();
        m_nDescriptor = std::exchange(other.m_nDescriptor, -1);
    }
    return *this;
}

bool CFileDescriptor::Close() {
    if (m_nDescriptor < 0) return true;
    // Linux frees the descriptor even when close fails, so it is never retried.
    const bool closed = ::close(std::exchange(m_nDescriptor, -1)) == 0;
    return closed;
}

std::optional<std::vector<BYTE>> ReadUpTo(int descriptor, std::size_t count) {
    std::vector<BYTE> bytes(count);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(descriptor, bytes.data() + done, count - done);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

bool WriteAll(int descriptor, std::span<const BYTE> bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(descriptor, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
    return true;
}

bool CopyRest(int source, int target) {
    constexpr std::size_t kChunk = 64 * 1024;
    for (;;) {
        const std::optional<std::vector<BYTE>> chunk = ReadUpTo(source, kChunk);
        if (!chunk) return false;
        if (!WriteAll(target, *chunk)) return false;
        if (chunk->size() < kChunk) return true;
    }
}

std::optional<std::vector<BYTE>> ReadFileHead(const std::string& path, std::size_t count) {
    const CFileDescriptor file(OpenRegularFile(path.c_str(), O_RDONLY));
    if (!file.IsOpen()) return std::nullopt;
    return ReadUpTo(file.Get(), count);
}
