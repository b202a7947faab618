// A buffered stream of little-endian numbers and objects over a CFile.
// The archive borrows the file; it never closes it.
//
// Objects are written with a class record so that reading can re-create
// them by class name:
//   null object:  WORD 0x0000
//   object:       WORD 0xFFFF, WORD schema, WORD name length (1..64),
//                 the name's bytes (no terminator), then the object's
//                 own Serialize data.
// Counts (WriteCount) are a WORD below 0xFFFF, or WORD 0xFFFF and a DWORD.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/File.h"
#include "platform/core/Object.h"
#include "platform/core/Types.h"

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* file, UINT mode, int bufferSize = 4096);
    // Closes the archive: stored bytes reach the file, read-ahead is given
    // back.  Errors here are traced, never thrown.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    // Afterwards the file stands exactly at the archive's logical position:
    // buffered bytes are written when storing, the file is moved back over
    // bytes read ahead when loading.  It does not sync the file to disk
    // (CFile::Flush does).  May throw CFileException.
    void Flush();
    CFile* GetFile() const { return m_pFile; }
    BOOL IsStoring() const { return m_nMode == store ? TRUE : FALSE; }
    BOOL IsLoading() const { return m_nMode == load ? TRUE : FALSE; }
    // Flushes and detaches from the file.
    void Close();

    // The number of bytes read; fewer at the end of the data.
    UINT Read(void* buffer, UINT count);
    // Throws CFileException when the file cannot take the bytes.
    void Write(const void* buffer, UINT count);

    // The extractors throw CFileException(endOfFile) when the data runs out.
    CArchive& operator<<(std::int32_t value);
    CArchive& operator<<(std::uint32_t value);
    CArchive& operator<<(WORD value);
    CArchive& operator<<(BYTE value);
    CArchive& operator>>(std::int32_t& value);
    CArchive& operator>>(std::uint32_t& value);
    CArchive& operator>>(WORD& value);
    CArchive& operator>>(BYTE& value);

    // Throws CFileException for an object whose class is not serializable
    // (it could not be read back), and when the object's Serialize marked
    // the archive bad.
    void WriteObject(const CObject* object);
    // A new object of the recorded class, filled by its Serialize.  Null for
    // a null object, and null (with IsBad set) when the class is unknown,
    // not creatable or serializable, of another schema, not derived from
    // expected, nested too deeply, or the data runs out; a half-read object
    // is destroyed.  Never throws.  Once bad, it reads nothing more.
    CObject* ReadObject(const CRuntimeClass* expected);
    // True once ReadObject met bad or missing data, or a Serialize could
    // not read or write its part; the stream position is then unreliable and
    // loading should stop.
    bool IsBad() const { return m_bBad; }
    // For a Serialize whose part failed in a way no extractor reports.
    void MarkBad() { m_bBad = true; }

    void WriteCount(DWORD count);
    DWORD ReadCount();

private:
    void FillBuffer();
    void WriteBuffer();
    void ReadExactly(void* buffer, UINT count);
    bool ReadClassRecord(const CRuntimeClass* expected, const CRuntimeClass*& found);

    CFile* m_pFile;
    Mode m_nMode;
    std::vector<BYTE> m_buffer;
    std::size_t m_nBufferUsed = 0;  // storing: bytes waiting; loading: bytes held
    std::size_t m_nBufferNext = 0;  // loading: next unread byte
    bool m_bBad = false;
    int m_nDepth = 0;  // objects being read inside one another
};

inline CArchive& operator<<(CArchive& archive, const CObject* object) {
    archive.WriteObject(object);
    return archive;
}
