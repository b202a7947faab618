// A file on disk, read and written through the operating system directly
// (no user-space buffering: CArchive buffers).  CFile owns its descriptor
// and closes it when destroyed.
//
// Sharing flags are honoured with advisory whole-file locks (flock):
// shareExclusive takes an exclusive lock, shareDenyWrite and shareDenyRead a
// shared one, shareDenyNone and shareCompat none.  A lock already held
// elsewhere fails Open with sharingViolation; file systems without lock
// support open unlocked.  Only other users of these locks are kept out.
// typeText and typeBinary are alike (no line-end translation), and no
// descriptor is ever inherited, with or without modeNoInherit.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/core/Object.h"
#include "platform/core/Types.h"

// Opens a regular file without ever waiting: a FIFO, a device or a
// directory in its place does not open (errno EISDIR for a directory,
// ENODEV for the others), so a reader treats it like a missing file.  The
// descriptor, close-on-exec, or -1 with errno set.  accessFlags: O_RDONLY,
// O_WRONLY or O_RDWR.
int OpenRegularFile(const char* path, int accessFlags);

// Thrown by value by CFile and CArchive.
class CFileException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        accessDenied,
        diskFull,
        endOfFile,
        badSeek,
        sharingViolation,
    };
    int m_cause = none;
    int m_lOsError = 0;  // errno, 0 when the failure is not the system's
    std::string m_strFileName;

    CFileException() = default;
    CFileException(int cause, int osError, std::string fileName = {})
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}
    // The cause that an errno value stands for.
    static int CauseFromErrno(int osError);
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile();
    ~CFile() override;

    // modeCreate creates the file, emptying an existing one unless
    // modeNoTruncate is given.  Directories do not open, and a file opened
    // only for reading must be a regular file (see OpenRegularFile).  On failure the
    // optional error receives the cause.  Descriptors are never inherited.
    virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
    // Reads up to count bytes; fewer at the end of the file.  A system error
    // ends the read early like the end of the file (0 when nothing was read).
    virtual UINT Read(void* buffer, UINT count);
    // Writes all count bytes or throws (diskFull for a short write).
    virtual void Write(const void* buffer, UINT count);
    // Returns the new position; throws badSeek for a position before the
    // start or a file that cannot seek.
    virtual std::uint64_t Seek(std::int64_t offset, UINT from);
    std::uint64_t SeekToBegin() { return Seek(0, begin); }
    std::uint64_t SeekToEnd() { return Seek(0, end); }
    // Both throw when the file is not open or cannot tell.
    virtual std::uint64_t GetPosition() const;
    virtual std::uint64_t GetLength() const;
    // Pushes written data to the device.
    virtual void Flush();
    virtual void Close();
    virtual bool IsOpen() const;

    const std::string& GetFilePath() const { return m_strFileName; }

protected:
    [[noreturn]] void ThrowError(int cause, int osError) const;

private:
    int m_hFile = -1;
    std::string m_strFileName;
};
