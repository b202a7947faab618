// A stream of little-endian numbers and objects over a borrowed CFile, read
// and written straight through, so the file stands at the archive's position.
// Objects are written with a class record so that reading can re-create
// them by class name:
//   null object:  WORD 0x0000
//   object:       WORD 0xFFFF, WORD schema, WORD name length (1..64),
//                 the name's bytes (no terminator), then the object's
//                 own Serialize data.
// Counts (WriteCount) are a WORD below 0xFFFF, or WORD 0xFFFF and a DWORD.
#pragma once

#include <cstdint>

#include "platform/core/File.h"
#include "platform/core/Object.h"
#include "platform/core/Types.h"

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* file, UINT mode) : m_pFile(file), m_nMode(mode == load ? load : store) {}
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    CFile* GetFile() const { return m_pFile; }
    BOOL IsStoring() const { return m_nMode == store ? TRUE : FALSE; }

    // Writing throws CFileException when the file cannot take the bytes;
    // reading throws CFileException (error 0) when the data runs out.
    CArchive& operator<<(std::int32_t value);
    CArchive& operator>>(std::int32_t& value);
    void WriteCount(DWORD count);
    DWORD ReadCount();

    // Throws CFileException for an object that could not be read back (its
    // class is not serializable) or whose Serialize marked the archive bad.
    void WriteObject(const CObject* object);
    // A new object of the recorded class, filled by its Serialize; null for a
    // null object.  Null with IsBad set when the record is bad, the class is
    // not a readable one derived from expected, or the data runs out; a
    // half-read object is destroyed.  Never throws; once bad, reads nothing.
    CObject* ReadObject(const CRuntimeClass* expected);
    bool IsBad() const { return m_bBad; }
    // For a Serialize whose part failed in a way no extractor reports.
    void MarkBad() { m_bBad = true; }

private:
    void Write(const void* buffer, UINT count);
    void ReadExactly(void* buffer, UINT count);
    // Little-endian numbers of 2 or 4 bytes.
    void WriteNumber(DWORD value, UINT size);
    DWORD ReadNumber(UINT size);

    CFile* m_pFile;
    Mode m_nMode;
    bool m_bBad = false;
};
