// Files through the operating system directly, for the pictures (CFile) and
// the records file.  Transfers retry interrupted and short reads and writes;
// no descriptor is ever inherited by another program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/Types.h"

// A POSIX file descriptor that closes itself.
class CFileDescriptor {
public:
    CFileDescriptor() = default;
    explicit CFileDescriptor(int descriptor) : m_nDescriptor(descriptor) {}
    ~CFileDescriptor() { Close(); }
    CFileDescriptor(CFileDescriptor&& other) noexcept : m_nDescriptor(std::exchange(other.m_nDescriptor, -1)) {}
    // The descriptor held before goes with `other`.
    CFileDescriptor& operator=(CFileDescriptor&& other) noexcept {
        std::swap(m_nDescriptor, other.m_nDescriptor);
        return *this;
    }

    int Get() const { return m_nDescriptor; }
    bool IsOpen() const { return m_nDescriptor >= 0; }
    // Closes now; false when the system reports an error (a late write failure).
    bool Close();

private:
    int m_nDescriptor = -1;
};

// Opens a regular file without ever waiting: a FIFO, a device or a
// directory in its place does not open (errno EISDIR for a directory,
// ENODEV for the others), so a reader treats it like a missing file.  The
// descriptor, or -1 with errno set.  accessFlags: O_RDONLY, O_WRONLY or O_RDWR.
int OpenRegularFile(const char* path, int accessFlags);

// Reads from the current position until count bytes or the end of the file;
// nothing on a read error.
std::optional<std::vector<BYTE>> ReadUpTo(int descriptor, std::size_t count);
// False, with errno set, when not every byte could be written.
bool WriteAll(int descriptor, std::span<const BYTE> bytes);
// Copies everything from the source's current position to its end.
bool CopyRest(int source, int target);
// The first count bytes of a regular file; nothing when it is missing, not
// a regular file, or cannot be read.
std::optional<std::vector<BYTE>> ReadFileHead(const std::string& path, std::size_t count);

// Thrown by value by CFile and CArchive.
struct CFileException {
    int m_lOsError = 0;  // errno; 0 when the data simply ran out
};

// An open file.  Sharing flags are advisory whole-file locks (flock):
// shareExclusive an exclusive one, shareDenyWrite a shared one; a lock held
// elsewhere fails Open, and file systems without locks open unlocked.
class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        modeCreate = 0x1000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    virtual ~CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeCreate creates the file or empties an existing one (once the lock
    // is ours).  Directories do not open, and a file opened only for reading
    // must be a regular file (see OpenRegularFile).  On failure the optional
    // error receives the system's error code.
    BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
    // Reads up to count bytes; fewer at the end of the file.  A system error
    // ends the read early like the end of the file.
    virtual UINT Read(void* buffer, UINT count);
    // Writes all count bytes or throws (ENOSPC for a device that takes nothing).
    virtual void Write(const void* buffer, UINT count);
    // Returns the new position; throws for a position before the start or a
    // file that cannot seek.
    virtual std::uint64_t Seek(std::int64_t offset, UINT from);
    // Both throw when the file is not open or cannot tell.
    virtual std::uint64_t GetPosition() const;
    virtual std::uint64_t GetLength() const;
    void Close();

private:
    CFileDescriptor m_file;
    std::string m_strFileName;
    // A regular file's position, known without asking the system; empty
    // when it must be asked.
    std::optional<std::uint64_t> m_position;
};
