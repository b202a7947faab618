#include "platform/core/Object.h"

#include <cstring>
#include <vector>

#include "platform/core/Trace.h"

namespace {

// Function-local so that it exists before the first registration, whatever
// order the translation units are initialised in.
std::vector<const CRuntimeClass*>& Registry() {
    static std::vector<const CRuntimeClass*> classes{&CObject::classCObject};
    return classes;
}

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)),
                                             kSchemaNotSerializable, nullptr, nullptr};

ClassRegistration::ClassRegistration(const CRuntimeClass* runtimeClass) {
    Registry().push_back(runtimeClass);
}

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* walk = this; walk != nullptr; walk = walk->m_pBaseClass) {
        if (walk == base) return true;
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className) {
    if (className == nullptr) return nullptr;
    for (const CRuntimeClass* runtimeClass : Registry()) {
        if (std::strcmp(runtimeClass->m_lpszClassName, className) == 0) return runtimeClass;
    }
    return nullptr;
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

CObject::~CObject() = default;

void CObject::Serialize(CArchive& /*archive*/) {}

void CObject::AssertValid() const {}

void CObject::Dump() const {
    Trace(std::string("a ") + GetRuntimeClass()->m_lpszClassName);
}

bool CObject::IsSerializable() const {
    return GetRuntimeClass()->m_wSchema != kSchemaNotSerializable;
}

bool CObject::IsKindOf(const CRuntimeClass* runtimeClass) const {
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}
