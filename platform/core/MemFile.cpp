#include "platform/core/MemFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile() = default;

CMemFile::CMemFile(std::vector<BYTE> initialBytes) : m_bytes(std::move(initialBytes)) {}

BOOL CMemFile::Open(const char* /*fileName*/, UINT /*openFlags*/, CFileException* error) {
    if (error != nullptr) *error = CFileException(CFileException::genericException, 0);
    return FALSE;
}

UINT CMemFile::Read(void* buffer, UINT count) {
    if (buffer == nullptr || m_position >= m_bytes.size()) return 0;
    const std::size_t available = m_bytes.size() - m_position;
    const auto done = static_cast<UINT>(std::min<std::size_t>(count, available));
    std::memcpy(buffer, m_bytes.data() + m_position, done);
    m_position += done;
    return done;
}

void CMemFile::Write(const void* buffer, UINT count) {
    if (count == 0) return;
    if (buffer == nullptr) ThrowError(CFileException::genericException, EFAULT);
    // A hard cap keeps a far seek from turning into a huge allocation.
    constexpr std::size_t kMaxSize = std::size_t{1} << 30;
    const std::size_t limit = std::min(m_writeLimit, kMaxSize);
    const std::size_t room = m_position < limit ? limit - m_position : 0;
    const std::size_t done = std::min<std::size_t>(count, room);
    if (m_position + done > m_bytes.size()) m_bytes.resize(m_position + done);
    std::memcpy(m_bytes.data() + m_position, buffer, done);
    m_position += done;
    if (done < count) ThrowError(CFileException::diskFull, ENOSPC);
}

std::uint64_t CMemFile::Seek(std::int64_t offset, UINT from) {
    std::int64_t base = 0;
    switch (from) {
    case begin: base = 0; break;
    case current: base = static_cast<std::int64_t>(m_position); break;
    case end: base = static_cast<std::int64_t>(m_bytes.size()); break;
    default: ThrowError(CFileException::badSeek, EINVAL);
    }
    // Compare before adding, so that no offset can overflow the sum.
    if (offset < -base) ThrowError(CFileException::badSeek, EINVAL);
    if (offset > 0 && offset > std::numeric_limits<std::int64_t>::max() - base) {
        ThrowError(CFileException::badSeek, EINVAL);
    }
    m_position = static_cast<std::size_t>(base + offset);
    return m_position;
}
