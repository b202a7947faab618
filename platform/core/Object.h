// Run-time class records: every class that carries one can name itself and,
// when serializable, be written to an archive and re-created from it by name.
// The IMPLEMENT_* macros enter the record into the registry CArchive searches
// during static initialisation, so a class of a static library is found by
// name only when its object file is linked in (any reference pulls it in).
#pragma once

class CArchive;
class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    unsigned m_wSchema;  // 0xFFFF: not serializable
    CObject* (*m_pfnCreateObject)();  // null: not creatable by name
    const CRuntimeClass* m_pBaseClass;
};

inline constexpr unsigned kSchemaNotSerializable = 0xFFFF;

// Enters a record into the registry; used by the IMPLEMENT_* macros.
class ClassRegistration {
public:
    explicit ClassRegistration(const CRuntimeClass* runtimeClass);

private:
    friend class CArchive;
    // The registered record of that name, or null.
    static const CRuntimeClass* Find(const char* className);
};

// The root of every class with a run-time record.  Objects are not copyable:
// they are handled by pointer, and a copy would slice.
class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
    virtual ~CObject() = default;
    // Writes or reads the object's own fields; the root has none.
    virtual void Serialize(CArchive& /*archive*/) {}

    static const CRuntimeClass classCObject;

    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// --- declarations, placed in the class body (they leave the access public) ---

#define DECLARE_DYNAMIC(class_name)               \
public:                                           \
    static const CRuntimeClass class##class_name; \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_SERIAL(class_name) DECLARE_DYNAMIC(class_name)

// --- definitions, placed in the class's .cpp file ---

#define VELMOR_RUNTIME_CLASS(class_name, base_class_name, schema, create)                                              \
    const CRuntimeClass class_name::class##class_name = {#class_name, schema, create, RUNTIME_CLASS(base_class_name)}; \
    static const ClassRegistration registration##class_name(RUNTIME_CLASS(class_name));                                \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    VELMOR_RUNTIME_CLASS(class_name, base_class_name, kSchemaNotSerializable, nullptr)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema) \
    VELMOR_RUNTIME_CLASS(                                     \
        class_name, base_class_name, schema, +[]() -> CObject* { return new class_name; })
