// A file held in memory, always open, for tests, fuzzing and archives in
// memory.  Seeking past the end is allowed; a write there fills the gap with
// zeros.  A write limit makes writes fail like a full disk.
#pragma once

#include <cstddef>
#include <limits>
#include <vector>

#include "platform/core/File.h"

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    CMemFile();
    explicit CMemFile(std::vector<BYTE> initialBytes);

    const std::vector<BYTE>& Bytes() const { return m_bytes; }
    // Bytes beyond maxBytes are not stored: a write crossing it stores what
    // fits, then throws CFileException(diskFull).
    void SetWriteLimit(std::size_t maxBytes) { m_writeLimit = maxBytes; }

    // Open replaces nothing: an in-memory file has no name to open.
    BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    std::uint64_t Seek(std::int64_t offset, UINT from) override;
    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t GetLength() const override { return m_bytes.size(); }
    void Flush() override {}
    void Close() override {}
    bool IsOpen() const override { return true; }

private:
    std::vector<BYTE> m_bytes;
    std::size_t m_position = 0;
    std::size_t m_writeLimit = std::numeric_limits<std::size_t>::max();
};
