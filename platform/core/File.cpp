#include "platform/core/File.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/Trace.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

int CFileException::CauseFromErrno(int osError) {
    switch (osError) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBADF: return accessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return diskFull;
    case EWOULDBLOCK: return sharingViolation;
    case ESPIPE:
    case EINVAL: return badSeek;
    default: return genericException;
    }
}

namespace {

int AccessFlags(UINT openFlags) {
    switch (openFlags & 3u) {
    case CFile::modeWrite: return O_WRONLY;
    case CFile::modeReadWrite: return O_RDWR;
    default: return O_RDONLY;
    }
}

// The lock a sharing mode asks for, 0 for none.
int LockFor(UINT openFlags) {
    switch (openFlags & 0x70u) {
    case CFile::shareExclusive: return LOCK_EX;
    case CFile::shareDenyWrite:
    case CFile::shareDenyRead: return LOCK_SH;
    default: return 0;
    }
}

}  // namespace

int OpenRegularFile(const char* path, int accessFlags) {
    // Non-blocking, so that opening a FIFO cannot wait for a writer; on a
    // regular file the flag changes nothing.
    int descriptor = -1;
    do {
        descriptor = ::open(path, accessFlags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) return -1;
    struct stat status {};
    int failure = 0;
    if (::fstat(descriptor, &status) != 0) failure = errno;
    else if (S_ISDIR(status.st_mode)) failure = EISDIR;
    else if (!S_ISREG(status.st_mode)) failure = ENODEV;
    if (failure == 0) return descriptor;
    ::close(descriptor);
    errno = failure;
    return -1;
}

CFile::CFile() = default;

CFile::~CFile() { Close(); }

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
    auto fail = [&](int cause, int osError) {
        if (m_hFile >= 0) ::close(m_hFile);
        m_hFile = -1;
        if (error != nullptr) *error = CFileException(cause, osError, fileName != nullptr ? fileName : "");
        return FALSE;
    };
    Close();
    if (fileName == nullptr || *fileName == '\0') return fail(CFileException::badPath, ENOENT);
    m_strFileName = fileName;

    // Truncation waits until the lock is ours, so that a refused open cannot
    // empty a file another holder is using.  Descriptors are never inherited:
    // the program starts no other programs.
    int flags = AccessFlags(openFlags) | O_CLOEXEC;
    if ((openFlags & modeCreate) != 0) flags |= O_CREAT;
    if (flags == (O_RDONLY | O_CLOEXEC)) {
        // What is only read must be a regular file: a FIFO would block.
        m_hFile = OpenRegularFile(fileName, O_RDONLY);
    } else {
        do {
            m_hFile = ::open(fileName, flags, 0666);
        } while (m_hFile < 0 && errno == EINTR);
    }
    if (m_hFile < 0) return fail(CFileException::CauseFromErrno(errno), errno);

    struct stat status {};
    if (::fstat(m_hFile, &status) != 0) return fail(CFileException::CauseFromErrno(errno), errno);
    if (S_ISDIR(status.st_mode)) return fail(CFileException::accessDenied, EISDIR);

    if (const int lock = LockFor(openFlags); lock != 0 && ::flock(m_hFile, lock | LOCK_NB) != 0) {
        // Where locks are not supported the file opens unlocked.
        if (errno == EWOULDBLOCK) return fail(CFileException::sharingViolation, errno);
        if (errno != ENOLCK && errno != EINVAL && errno != EOPNOTSUPP) {
            return fail(CFileException::CauseFromErrno(errno), errno);
        }
    }
    const bool truncate = (openFlags & modeCreate) != 0 && (openFlags & modeNoTruncate) == 0;
    // Character devices such as /dev/null cannot be truncated and need not be.
    if (truncate && S_ISREG(status.st_mode) && ::ftruncate(m_hFile, 0) != 0) {
        return fail(CFileException::CauseFromErrno(errno), errno);
    }
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
    if (m_hFile < 0 || buffer == nullptr) return 0;
    auto* bytes = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t got = ::read(m_hFile, bytes + done, count - done);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            Trace("Read error on " + m_strFileName);
            break;
        }
        done += static_cast<UINT>(got);
    }
    return done;
}

void CFile::Write(const void* buffer, UINT count) {
    if (m_hFile < 0) ThrowError(CFileException::accessDenied, EBADF);
    if (count == 0) return;
    if (buffer == nullptr) ThrowError(CFileException::genericException, EFAULT);
    const auto* bytes = static_cast<const BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t put = ::write(m_hFile, bytes + done, count - done);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) ThrowError(CFileException::CauseFromErrno(errno), errno);
        // A device that takes nothing and reports no error is full.
        if (put == 0) ThrowError(CFileException::diskFull, ENOSPC);
        done += static_cast<UINT>(put);
    }
}

std::uint64_t CFile::Seek(std::int64_t offset, UINT from) {
    if (m_hFile < 0) ThrowError(CFileException::badSeek, EBADF);
    int whence = SEEK_SET;
    switch (from) {
    case begin: whence = SEEK_SET; break;
    case current: whence = SEEK_CUR; break;
    case end: whence = SEEK_END; break;
    default: ThrowError(CFileException::badSeek, EINVAL);
    }
    const off_t position = ::lseek(m_hFile, static_cast<off_t>(offset), whence);
    if (position < 0) ThrowError(CFileException::badSeek, errno);
    return static_cast<std::uint64_t>(position);
}

std::uint64_t CFile::GetPosition() const {
    if (m_hFile < 0) ThrowError(CFileException::badSeek, EBADF);
    const off_t position = ::lseek(m_hFile, 0, SEEK_CUR);
    if (position < 0) ThrowError(CFileException::badSeek, errno);
    return static_cast<std::uint64_t>(position);
}

std::uint64_t CFile::GetLength() const {
    if (m_hFile < 0) ThrowError(CFileException::genericException, EBADF);
    struct stat status {};
    if (::fstat(m_hFile, &status) != 0) ThrowError(CFileException::CauseFromErrno(errno), errno);
    return static_cast<std::uint64_t>(status.st_size);
}

void CFile::Flush() {
    if (m_hFile < 0) return;
    // Devices and pipes cannot be synchronised; there is nothing to push.
    if (::fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS) {
        ThrowError(CFileException::CauseFromErrno(errno), errno);
    }
}

void CFile::Close() {
    if (m_hFile < 0) return;
    // The descriptor is gone whatever close says; the locks go with it.
    if (::close(m_hFile) != 0) Trace("Close error on " + m_strFileName);
    m_hFile = -1;
}

bool CFile::IsOpen() const { return m_hFile >= 0; }

void CFile::ThrowError(int cause, int osError) const {
    throw CFileException(cause, osError, m_strFileName);
}
