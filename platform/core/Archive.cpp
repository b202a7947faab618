#include "platform/core/Archive.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "platform/core/Trace.h"

namespace {

constexpr DWORD kNullTag = 0x0000;
constexpr DWORD kClassTag = 0xFFFF;
constexpr DWORD kMaxClassNameLength = 64;
constexpr DWORD kBigCountTag = 0xFFFF;

bool IsDerivedFrom(const CRuntimeClass* runtimeClass, const CRuntimeClass* base) {
    for (; runtimeClass != nullptr; runtimeClass = runtimeClass->m_pBaseClass) {
        if (runtimeClass == base) return true;
    }
    return false;
}

}  // namespace

void CArchive::Write(const void* buffer, UINT count) {
    if (m_pFile == nullptr || m_nMode != store) throw CFileException{EBADF};
    m_pFile->Write(buffer, count);
}

void CArchive::ReadExactly(void* buffer, UINT count) {
    if (m_pFile == nullptr || m_nMode != load) throw CFileException{};
    if (m_pFile->Read(buffer, count) != count) throw CFileException{};
}

void CArchive::WriteNumber(DWORD value, UINT size) {
    BYTE bytes[4];
    WriteLe32(bytes, value);
    Write(bytes, size);  // the low bytes come first
}

DWORD CArchive::ReadNumber(UINT size) {
    BYTE bytes[4] = {};
    ReadExactly(bytes, size);
    return ReadLe32(bytes);
}

CArchive& CArchive::operator<<(std::int32_t value) {
    WriteNumber(static_cast<DWORD>(value), 4);
    return *this;
}

CArchive& CArchive::operator>>(std::int32_t& value) {
    value = static_cast<std::int32_t>(ReadNumber(4));
    return *this;
}

void CArchive::WriteCount(DWORD count) {
    WriteNumber(std::min<DWORD>(count, kBigCountTag), 2);
    if (count >= kBigCountTag) WriteNumber(count, 4);
}

DWORD CArchive::ReadCount() {
    const DWORD small = ReadNumber(2);
    return small != kBigCountTag ? small : ReadNumber(4);
}

void CArchive::WriteObject(const CObject* object) {
    if (object == nullptr) {
        WriteNumber(kNullTag, 2);
        return;
    }
    const CRuntimeClass* runtimeClass = object->GetRuntimeClass();
    const std::size_t nameLength = std::strlen(runtimeClass->m_lpszClassName);
    // Writing what could not be read back would only move the failure.
    if (runtimeClass->m_wSchema == kSchemaNotSerializable || nameLength == 0 || nameLength > kMaxClassNameLength) {
        throw CFileException{EINVAL};
    }
    WriteNumber(kClassTag, 2);
    WriteNumber(runtimeClass->m_wSchema, 2);
    WriteNumber(static_cast<DWORD>(nameLength), 2);
    Write(runtimeClass->m_lpszClassName, static_cast<UINT>(nameLength));
    // Serialize writes through this archive; a const object is only read.
    const_cast<CObject*>(object)->Serialize(*this);
    if (m_bBad) throw CFileException{EIO};
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected) {
    const auto refuse = [this](const std::string& why) -> CObject* {
        Trace("Archive: " + why);
        m_bBad = true;
        return nullptr;
    };
    if (m_bBad) return nullptr;
    try {
        const DWORD tag = ReadNumber(2);
        if (tag == kNullTag) return nullptr;
        if (tag != kClassTag) return refuse("bad object tag");
        const DWORD schema = ReadNumber(2);
        const DWORD nameLength = ReadNumber(2);
        if (nameLength == 0 || nameLength > kMaxClassNameLength) return refuse("bad class name length");
        char name[kMaxClassNameLength + 1] = {};
        ReadExactly(name, nameLength);
        const CRuntimeClass* runtimeClass = ClassRegistration::Find(name);
        if (runtimeClass == nullptr || runtimeClass->m_pfnCreateObject == nullptr ||
            runtimeClass->m_wSchema != schema || (expected != nullptr && !IsDerivedFrom(runtimeClass, expected))) {
            return refuse(std::string("no readable class ") + name + " here");
        }
        std::unique_ptr<CObject> object(runtimeClass->m_pfnCreateObject());
        object->Serialize(*this);
        // Something inside failed: the object is half read.
        return m_bBad ? nullptr : object.release();
    } catch (const CFileException&) {
        return refuse("object data ran out");
    }
}
