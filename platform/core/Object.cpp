#include "platform/core/Object.h"

#include <cstring>
#include <vector>

namespace {

// Function-local so that it exists before the first registration, whatever
// order the translation units are initialised in.
std::vector<const CRuntimeClass*>& Registry() {
    static std::vector<const CRuntimeClass*> classes{&CObject::classCObject};
    return classes;
}

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", kSchemaNotSerializable, nullptr, nullptr};

ClassRegistration::ClassRegistration(const CRuntimeClass* runtimeClass) { Registry().push_back(runtimeClass); }

const CRuntimeClass* ClassRegistration::Find(const char* className) {
    for (const CRuntimeClass* runtimeClass : Registry()) {
        if (std::strcmp(runtimeClass->m_lpszClassName, className) == 0) return runtimeClass;
    }
    return nullptr;
}
