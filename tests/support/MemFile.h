// A file held in memory, always open, for tests, fuzzing and benchmarks. Seeking past the end is allowed; a write there
// fills the gap with zeros. A write limit makes writes fail like a full disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "platform/core/File.h"

class CMemFile : public CFile {
public:
    CMemFile() = default;
    explicit CMemFile(std::vector<BYTE> initialBytes) : m_bytes(std::move(initialBytes)) {}

    const std::vector<BYTE>& Bytes() const { return m_bytes; }
    // Bytes beyond maxBytes are not stored: a write crossing it stores what fits, then throws CFileException{ENOSPC}.
    void SetWriteLimit(std::size_t maxBytes) { m_writeLimit = maxBytes; }

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    std::uint64_t Seek(std::int64_t offset, UINT from) override;
    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t GetLength() const override { return m_bytes.size(); }

private:
    std::int64_t SeekBase(UINT from) const;

    std::vector<BYTE> m_bytes;
    std::size_t m_position = 0;
    std::size_t m_writeLimit = std::numeric_limits<std::size_t>::max();
};
