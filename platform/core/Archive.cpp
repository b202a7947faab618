#include "platform/core/Archive.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "platform/core/BmpIo.h"
#include "platform/core/Trace.h"

namespace {

constexpr WORD kNullTag = 0x0000;
constexpr WORD kClassTag = 0xFFFF;
constexpr WORD kMaxClassNameLength = 64;
constexpr WORD kBigCountTag = 0xFFFF;
constexpr int kMaxObjectDepth = 64;

struct DepthGuard {
    explicit DepthGuard(int& depth) : m_depth(depth) { ++m_depth; }
    ~DepthGuard() { --m_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    int& m_depth;
};

}  // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : m_pFile(file),
      m_nMode(mode == load ? load : store),
      m_buffer(static_cast<std::size_t>(std::max(bufferSize, 16))) {}

CArchive::~CArchive() {
    try {
        Close();
    } catch (const CFileException& error) {
        Trace("Archive lost its buffer on close: error " + std::to_string(error.m_cause));
    }
}

void CArchive::Close() {
    if (m_pFile == nullptr) return;
    Flush();
    m_pFile = nullptr;
}

void CArchive::Flush() {
    if (m_pFile == nullptr) return;
    if (m_nMode == store) {
        WriteBuffer();
        return;
    }
    // Give back what was read ahead, so that the file stands where the
    // archive's reader does.
    const std::size_t unread = m_nBufferUsed - m_nBufferNext;
    m_nBufferUsed = m_nBufferNext = 0;
    if (unread > 0) m_pFile->Seek(-static_cast<std::int64_t>(unread), CFile::current);
}

void CArchive::WriteBuffer() {
    if (m_nBufferUsed == 0) return;
    const auto count = static_cast<UINT>(m_nBufferUsed);
    // Emptied first: after a failed write the bytes are lost, not written twice.
    m_nBufferUsed = 0;
    m_pFile->Write(m_buffer.data(), count);
}

void CArchive::FillBuffer() {
    m_nBufferNext = 0;
    m_nBufferUsed = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
}

UINT CArchive::Read(void* buffer, UINT count) {
    if (m_pFile == nullptr || m_nMode != load || buffer == nullptr) return 0;
    auto* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        if (m_nBufferNext == m_nBufferUsed) {
            // A large request bypasses the buffer; nothing is read ahead then.
            if (count - done >= m_buffer.size()) {
                done += m_pFile->Read(out + done, count - done);
                break;
            }
            FillBuffer();
            if (m_nBufferUsed == 0) break;
        }
        const auto chunk = static_cast<UINT>(std::min<std::size_t>(count - done, m_nBufferUsed - m_nBufferNext));
        std::memcpy(out + done, m_buffer.data() + m_nBufferNext, chunk);
        m_nBufferNext += chunk;
        done += chunk;
    }
    return done;
}

void CArchive::Write(const void* buffer, UINT count) {
    if (m_pFile == nullptr || m_nMode != store) {
        throw CFileException(CFileException::accessDenied, 0);
    }
    if (count == 0) return;
    const auto* in = static_cast<const BYTE*>(buffer);
    if (m_nBufferUsed + count > m_buffer.size()) {
        WriteBuffer();
        if (count >= m_buffer.size()) {
            m_pFile->Write(in, count);
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_nBufferUsed, in, count);
    m_nBufferUsed += count;
}

void CArchive::ReadExactly(void* buffer, UINT count) {
    if (Read(buffer, count) != count) {
        throw CFileException(CFileException::endOfFile, 0,
                             m_pFile != nullptr ? m_pFile->GetFilePath() : std::string());
    }
}

CArchive& CArchive::operator<<(std::int32_t value) { return *this << static_cast<std::uint32_t>(value); }

CArchive& CArchive::operator<<(std::uint32_t value) {
    BYTE bytes[4];
    WriteLe32(bytes, value);
    Write(bytes, sizeof bytes);
    return *this;
}

CArchive& CArchive::operator<<(WORD value) {
    BYTE bytes[2];
    WriteLe16(bytes, value);
    Write(bytes, sizeof bytes);
    return *this;
}

CArchive& CArchive::operator<<(BYTE value) {
    Write(&value, 1);
    return *this;
}

CArchive& CArchive::operator>>(std::int32_t& value) {
    std::uint32_t bits = 0;
    *this >> bits;
    value = static_cast<std::int32_t>(bits);
    return *this;
}

CArchive& CArchive::operator>>(std::uint32_t& value) {
    BYTE bytes[4];
    ReadExactly(bytes, sizeof bytes);
    value = ReadLe32(bytes);
    return *this;
}

CArchive& CArchive::operator>>(WORD& value) {
    BYTE bytes[2];
    ReadExactly(bytes, sizeof bytes);
    value = ReadLe16(bytes);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& value) {
    ReadExactly(&value, 1);
    return *this;
}

void CArchive::WriteCount(DWORD count) {
    if (count < kBigCountTag) {
        *this << static_cast<WORD>(count);
        return;
    }
    *this << kBigCountTag << static_cast<std::uint32_t>(count);
}

DWORD CArchive::ReadCount() {
    WORD small = 0;
    *this >> small;
    if (small != kBigCountTag) return small;
    std::uint32_t big = 0;
    *this >> big;
    return big;
}

void CArchive::WriteObject(const CObject* object) {
    if (object == nullptr) {
        *this << kNullTag;
        return;
    }
    const CRuntimeClass* runtimeClass = object->GetRuntimeClass();
    const std::size_t nameLength = std::strlen(runtimeClass->m_lpszClassName);
    // Writing what could not be read back would only move the failure.
    if (!object->IsSerializable() || nameLength == 0 || nameLength > kMaxClassNameLength) {
        throw CFileException(CFileException::genericException, 0);
    }
    *this << kClassTag << static_cast<WORD>(runtimeClass->m_wSchema) << static_cast<WORD>(nameLength);
    Write(runtimeClass->m_lpszClassName, static_cast<UINT>(nameLength));
    // Serialize writes through this archive; a const object is only read.
    const_cast<CObject*>(object)->Serialize(*this);
    if (m_bBad) throw CFileException(CFileException::genericException, 0);
}

// Reads a class record.  False on a bad one; true with found null for a
// null object.
bool CArchive::ReadClassRecord(const CRuntimeClass* expected, const CRuntimeClass*& found) {
    found = nullptr;
    WORD tag = 0;
    *this >> tag;
    if (tag == kNullTag) return true;
    if (tag != kClassTag) {
        Trace("Archive: bad object tag");
        return false;
    }
    WORD schema = 0;
    WORD nameLength = 0;
    *this >> schema >> nameLength;
    if (nameLength == 0 || nameLength > kMaxClassNameLength) {
        Trace("Archive: bad class name length");
        return false;
    }
    char name[kMaxClassNameLength + 1] = {};
    ReadExactly(name, nameLength);
    const CRuntimeClass* runtimeClass = CRuntimeClass::FromName(name);
    if (runtimeClass == nullptr) {
        Trace(std::string("Archive: unknown class ") + name);
        return false;
    }
    if (runtimeClass->m_pfnCreateObject == nullptr || runtimeClass->m_wSchema == kSchemaNotSerializable) {
        Trace(std::string("Archive: class cannot be read: ") + name);
        return false;
    }
    if (runtimeClass->m_wSchema != schema) {
        Trace(std::string("Archive: schema mismatch for ") + name);
        return false;
    }
    if (expected != nullptr && !runtimeClass->IsDerivedFrom(expected)) {
        Trace(std::string("Archive: unexpected class ") + name);
        return false;
    }
    found = runtimeClass;
    return true;
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected) {
    if (m_pFile == nullptr || m_nMode != load || m_bBad) {
        m_bBad = true;
        return nullptr;
    }
    // Objects may hold objects; a crafted stream must not nest them until
    // the stack runs out.
    if (m_nDepth >= kMaxObjectDepth) {
        Trace("Archive: objects nested too deeply");
        m_bBad = true;
        return nullptr;
    }
    const DepthGuard guard(m_nDepth);
    try {
        const CRuntimeClass* runtimeClass = nullptr;
        if (!ReadClassRecord(expected, runtimeClass)) {
            m_bBad = true;
            return nullptr;
        }
        if (runtimeClass == nullptr) return nullptr;
        std::unique_ptr<CObject> object(runtimeClass->CreateObject());
        if (object == nullptr) {
            m_bBad = true;
            return nullptr;
        }
        object->Serialize(*this);
        // Something inside failed: the object is half read.
        if (m_bBad) return nullptr;
        return object.release();
    } catch (const CFileException&) {
        Trace("Archive: object data ran out");
        m_bBad = true;
        return nullptr;
    }
}

CObject* ReadObjectFromArchive(CArchive& archive, const CRuntimeClass* expected) {
    return archive.ReadObject(expected);
}
