#include "tests/support/MemFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

UINT CMemFile::Read(void* buffer, UINT count) {
    if (buffer == nullptr || m_position >= m_bytes.size()) return 0;
    const auto done = static_cast<UINT>(std::min<std::size_t>(count, m_bytes.size() - m_position));
    std::memcpy(buffer, m_bytes.data() + m_position, done);
    m_position += done;
    return done;
}

void CMemFile::Write(const void* buffer, UINT count) {
    if (count == 0) return;
    // A hard cap keeps a far seek from turning into a huge allocation.
    const std::size_t limit = std::min(m_writeLimit, std::size_t{1} << 30);
    const std::size_t done = std::min<std::size_t>(count, m_position < limit ? limit - m_position : 0);
    if (m_position + done > m_bytes.size()) m_bytes.resize(m_position + done);
    if (done > 0) std::memcpy(m_bytes.data() + m_position, buffer, done);
    m_position += done;
    if (done < count) throw CFileException{ENOSPC};
}

// Where an offset counts from: the start, the current position or the end.
std::int64_t CMemFile::SeekBase(UINT from) const {
    if (from == begin) return 0;
    if (from == current) return static_cast<std::int64_t>(m_position);
    return static_cast<std::int64_t>(m_bytes.size());
}

std::uint64_t CMemFile::Seek(std::int64_t offset, UINT from) {
    const std::int64_t base = SeekBase(from);
    // Compared before adding, so that no offset can overflow the sum.
    if (from > end || offset < -base || offset > std::numeric_limits<std::int64_t>::max() - base) {
        throw CFileException{EINVAL};
    }
    m_position = static_cast<std::size_t>(base + offset);
    return m_position;
}
