#include "platform/core/File.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/Trace.h"

namespace {

// Reads until count bytes or the end of the file; a read error ends early
// and sets failed.
std::size_t ReadFully(int descriptor, BYTE* buffer, std::size_t count, bool& failed) {
    std::size_t done = 0;
    failed = false;
    while (done < count) {
        const ssize_t got = ::read(descriptor, buffer + done, count - done);
        if (got > 0) {
            done += static_cast<std::size_t>(got);
        } else if (got == 0 || errno != EINTR) {
            failed = got < 0;
            break;
        }
    }
    return done;
}

std::uint64_t SeekOrThrow(int descriptor, off_t offset, int whence) {
    const off_t position = ::lseek(descriptor, offset, whence);
    if (position < 0) throw CFileException{errno};
    return static_cast<std::uint64_t>(position);
}

// Closes a descriptor that is not handed out, keeping the errno that says why.
int CloseWithError(int descriptor, int failure) {
    ::close(descriptor);
    errno = failure;
    return -1;
}

// Opens the file and takes its status: the one status query of an open.
int OpenWithStatus(const char* path, int flags, struct stat& status) {
    int descriptor = -1;
    do {
        descriptor = ::open(path, flags | O_CLOEXEC, 0666);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) return -1;
    if (::fstat(descriptor, &status) != 0) return CloseWithError(descriptor, errno);
    return descriptor;
}

// OpenRegularFile, also giving the status it took.
int OpenRegularWithStatus(const char* path, int accessFlags, struct stat& status) {
    // Non-blocking, so that opening a FIFO cannot wait for a writer; on a
    // regular file the flag changes nothing.
    const int descriptor = OpenWithStatus(path, accessFlags | O_NONBLOCK | O_NOCTTY, status);
    if (descriptor < 0) return -1;
    if (S_ISDIR(status.st_mode)) return CloseWithError(descriptor, EISDIR);
    if (!S_ISREG(status.st_mode)) return CloseWithError(descriptor, ENODEV);
    return descriptor;
}

// A file opened only to be read must be a regular file, since a FIFO would
// block.  Every other mode opens whatever is there; the system refuses to
// open a directory for writing.
bool OnlyReads(UINT openFlags) { return (openFlags & 3u) == CFile::modeRead && (openFlags & CFile::modeCreate) == 0; }

// The open(2) flags for CFile's access and creation modes.
int SystemOpenFlags(UINT openFlags) {
    int flags = O_RDONLY;
    if ((openFlags & 3u) == CFile::modeWrite) flags = O_WRONLY;
    if ((openFlags & 3u) == CFile::modeReadWrite) flags = O_RDWR;
    if ((openFlags & CFile::modeCreate) != 0) flags |= O_CREAT;
    return flags;
}

// The flock(2) operation a sharing mode asks for; 0 for none.
int LockOperation(UINT openFlags) {
    if ((openFlags & CFile::shareExclusive) != 0) return LOCK_EX;
    if ((openFlags & CFile::shareDenyWrite) != 0) return LOCK_SH;
    return 0;
}

// Takes the lock without waiting.  False, with errno set, when another
// holder has it or it cannot be taken; true also where the file system has
// no locks, so that the file opens unlocked there.
bool TakeLock(int descriptor, int lock) {
    if (::flock(descriptor, lock | LOCK_NB) == 0) return true;
    return errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP;
}

}  // namespace

bool CFileDescriptor::Close() {
    if (m_nDescriptor < 0) return true;
    // Linux frees the descriptor even when close fails, so it is never retried.
    const int descriptor = m_nDescriptor;
    m_nDescriptor = -1;
    return ::close(descriptor) == 0;
}

int OpenRegularFile(const char* path, int accessFlags) {
    struct stat status {};
    return OpenRegularWithStatus(path, accessFlags, status);
}

std::optional<std::vector<BYTE>> ReadUpTo(int descriptor, std::size_t count) {
    std::vector<BYTE> bytes(count);
    bool failed = false;
    bytes.resize(ReadFully(descriptor, bytes.data(), count, failed));
    if (failed) return std::nullopt;
    return bytes;
}

bool WriteAll(int descriptor, std::span<const BYTE> bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(descriptor, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return false;
        // A device that takes nothing and reports no error is full.
        if (put == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
    return true;
}

bool CopyRest(int source, int target) {
    constexpr std::size_t kChunk = 64 * 1024;
    for (;;) {
        const std::optional<std::vector<BYTE>> chunk = ReadUpTo(source, kChunk);
        if (!chunk || !WriteAll(target, *chunk)) return false;
        if (chunk->size() < kChunk) return true;
    }
}

std::optional<std::vector<BYTE>> ReadFileHead(const std::string& path, std::size_t count) {
    const CFileDescriptor file(OpenRegularFile(path.c_str(), O_RDONLY));
    if (!file.IsOpen()) return std::nullopt;
    return ReadUpTo(file.Get(), count);
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
    Close();
    m_strFileName = fileName != nullptr ? fileName : "";
    const char* path = m_strFileName.c_str();
    struct stat status {};
    int descriptor = -1;
    if (OnlyReads(openFlags)) {
        descriptor = OpenRegularWithStatus(path, O_RDONLY, status);
    } else {
        descriptor = OpenWithStatus(path, SystemOpenFlags(openFlags), status);
    }
    m_file = CFileDescriptor(descriptor);
    const auto fail = [&](int osError) {
        m_file.Close();
        if (error != nullptr) *error = CFileException{osError};
        return FALSE;
    };
    if (!m_file.IsOpen()) return fail(errno);

    const int lock = LockOperation(openFlags);
    if (lock != 0 && !TakeLock(descriptor, lock)) return fail(errno);
    // Emptied only now that the lock is ours, so that a refused open cannot
    // empty a file another holder is using.  Devices such as /dev/null need not be.
    const bool create = (openFlags & modeCreate) != 0;
    if (create && S_ISREG(status.st_mode) && ::ftruncate(descriptor, 0) != 0) return fail(errno);
    // Only this object moves a regular file's position, so it can be kept
    // here; other files are asked (a pipe has none, /dev/null stays at 0).
    if (S_ISREG(status.st_mode)) m_position = 0;
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
    bool failed = false;
    const std::size_t done = ReadFully(m_file.Get(), static_cast<BYTE*>(buffer), count, failed);
    if (failed) Trace("Read error on " + m_strFileName);
    if (m_position) *m_position += done;
    return static_cast<UINT>(done);
}

void CFile::Write(const void* buffer, UINT count) {
    if (!WriteAll(m_file.Get(), std::span(static_cast<const BYTE*>(buffer), count))) {
        const int failure = errno;
        m_position.reset();  // some of the bytes may have been written
        throw CFileException{failure};
    }
    if (m_position) *m_position += count;
}

std::uint64_t CFile::Seek(std::int64_t offset, UINT from) {
    constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (from > end) throw CFileException{EINVAL};
    const std::uint64_t position = SeekOrThrow(m_file.Get(), static_cast<off_t>(offset), kWhence[from]);
    if (m_position) m_position = position;
    return position;
}

std::uint64_t CFile::GetPosition() const {
    if (m_position) return *m_position;
    return SeekOrThrow(m_file.Get(), 0, SEEK_CUR);
}

std::uint64_t CFile::GetLength() const {
    struct stat status {};
    if (::fstat(m_file.Get(), &status) != 0) throw CFileException{errno};
    return static_cast<std::uint64_t>(status.st_size);
}

void CFile::Close() {
    // The descriptor is gone whatever close says; the locks go with it.
    m_position.reset();
    if (!m_file.Close()) Trace("Close error on " + m_strFileName);
}
