// A POSIX file descriptor that closes itself, and the few whole-buffer reads
// and writes the records file needs (they retry short transfers and EINTR).
#pragma once

#include "platform/core/Types.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CFileDescriptor {
public:
    CFileDescriptor() = default;
    explicit CFileDescriptor(int descriptor) : m_nDescriptor(descriptor) {}
    ~CFileDescriptor();
    CFileDescriptor(CFileDescriptor&& other) noexcept;
    CFileDescriptor& operator=(CFileDescriptor&& other) noexcept;
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;

    int Get() const { return m_nDescriptor; }
    bool IsOpen() const { return m_nDescriptor >= 0; }
    // Closes now; false when the system reports an error (a late write failure).
    bool Close();

private:
    int m_nDescriptor = -1;
};

// Reads from the current position until count bytes or the end of the file;
// nothing on a read error.
std::optional<std::vector<BYTE>> ReadUpTo(int descriptor, std::size_t count);

bool WriteAll(int descriptor, std::span<const BYTE> bytes);

// Copies everything from the source's current position to its end.
bool CopyRest(int source, int target);

// The first count bytes of a regular file opened for reading; nothing when it
// is missing, not a regular file, or cannot be read.
std::optional<std::vector<BYTE>> ReadFileHead(const std::string& path, std::size_t count);
