// Run-time class records: every class that carries one can name itself,
// answer whether it derives from another class, be created by name (when
// dynamically creatable) and be written to and read from an archive (when
// serializable).
//
// A record is a constant-initialised static, so it is usable before any
// dynamic initialisation runs.  The IMPLEMENT_* macros also enter the record
// into a registry that CRuntimeClass::FromName searches; that entry is made
// during static initialisation of the translation unit holding the macro, so
// a class of a static library is found by name only when its object file is
// linked in (anything referring to the class pulls it in).
#pragma once

class CArchive;
class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    unsigned m_wSchema;  // 0xFFFF: not serializable
    CObject* (*m_pfnCreateObject)();  // null: not dynamically creatable
    const CRuntimeClass* m_pBaseClass;

    // A new object of this class, or null when the class is not creatable.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
    // The registered record of that name, or null.
    static const CRuntimeClass* FromName(const char* className);
};

inline constexpr unsigned kSchemaNotSerializable = 0xFFFF;

// Enters a record into the registry; used by the IMPLEMENT_* macros.
struct ClassRegistration {
    explicit ClassRegistration(const CRuntimeClass* runtimeClass);
};

// The root of every class with a run-time record.  Objects are not copyable:
// they are handled by pointer, and a copy would slice.
class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();
    // Writes or reads the object's own fields; the root has none.
    virtual void Serialize(CArchive& archive);
    virtual void AssertValid() const;
    // Writes the class name to the trace channel.
    virtual void Dump() const;

    bool IsSerializable() const;
    bool IsKindOf(const CRuntimeClass* runtimeClass) const;

    static const CRuntimeClass classCObject;

    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// Reads an object written by CArchive::WriteObject; null on anything bad.
// Declared here so that IMPLEMENT_SERIAL needs no archive header.
CObject* ReadObjectFromArchive(CArchive& archive, const CRuntimeClass* expected);

// --- declarations, placed in the class body (they leave the access public) ---

#define DECLARE_DYNAMIC(class_name)                   \
public:                                               \
    static const CRuntimeClass class##class_name;     \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

// Also gives `archive >> pointer`, reading an object of this class or one
// derived from it (null on anything bad).
#define DECLARE_SERIAL(class_name)  \
    DECLARE_DYNCREATE(class_name)   \
    friend CArchive& operator>>(CArchive& archive, class_name*& object);

// --- definitions, placed in the class's .cpp file ---

#define VELMOR_RUNTIME_CLASS(class_name, base_class_name, schema, create)                     \
    const CRuntimeClass class_name::class##class_name = {#class_name,                         \
                                                         static_cast<int>(sizeof(class_name)), \
                                                         schema, create,                       \
                                                         RUNTIME_CLASS(base_class_name)};      \
    static const ClassRegistration registration##class_name(RUNTIME_CLASS(class_name));       \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    VELMOR_RUNTIME_CLASS(class_name, base_class_name, kSchemaNotSerializable, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                 \
    CObject* class_name::CreateObject() { return new class_name; }                       \
    VELMOR_RUNTIME_CLASS(class_name, base_class_name, kSchemaNotSerializable, \
                         &class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                       \
    CObject* class_name::CreateObject() { return new class_name; }                  \
    VELMOR_RUNTIME_CLASS(class_name, base_class_name, schema, &class_name::CreateObject) \
    CArchive& operator>>(CArchive& archive, class_name*& object) {                  \
        object = static_cast<class_name*>(                                          \
            ReadObjectFromArchive(archive, RUNTIME_CLASS(class_name)));             \
        return archive;                                                             \
    }
