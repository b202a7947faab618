// Feeds arbitrary bytes to the archive readers: a sprite list read in place,
// and any object read by its class record (sprite lists, sprites, plain
// pictures).  A load that fails must destroy what it made (the leak checker
// watches); a list that loads must store and load again to as many sprites,
// at the same places.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/PhasedSprite.h"
#include "gfx/SpriteList.h"
#include "platform/core/Archive.h"
#include "tests/support/MemFile.h"

namespace {

std::vector<BYTE> Bytes(const std::uint8_t* data, std::size_t size) { return std::vector<BYTE>(data, data + size); }

// Stores the list and reads it back into a fresh one; the sprites must agree.
void StoreAndReload(CSpriteList& list) {
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        list.Serialize(archive);
    }
    file.Seek(0, CFile::begin);
    CSpriteList again;
    CArchive archive(&file, CArchive::load);
    again.Serialize(archive);
    if (archive.IsBad() || again.GetCount() != list.GetCount()) __builtin_trap();
    POSITION first = list.GetHeadPosition();
    POSITION second = again.GetHeadPosition();
    while (first != nullptr && second != nullptr) {
        const auto* stored = static_cast<const CSprite*>(list.GetNext(first));
        const auto* reloaded = static_cast<const CSprite*>(again.GetNext(second));
        if (stored->GetRuntimeClass() != reloaded->GetRuntimeClass() || stored->GetX() != reloaded->GetX() ||
            stored->GetY() != reloaded->GetY() || stored->GetZ() != reloaded->GetZ() ||
            stored->ImageWidth() != reloaded->ImageWidth()) {
            __builtin_trap();
        }
    }
}

void LoadList(const std::uint8_t* data, std::size_t size) {
    CMemFile file(Bytes(data, size));
    CSpriteList list;
    bool whole = false;
    try {
        CArchive archive(&file, CArchive::load);
        list.Serialize(archive);
        whole = !archive.IsBad();
    } catch (const CFileException&) {
        // The count itself was cut short: nothing was read.
        if (list.GetCount() != 0) __builtin_trap();
    }
    if (whole) StoreAndReload(list);
}

void LoadObject(const std::uint8_t* data, std::size_t size) {
    CMemFile file(Bytes(data, size));
    CArchive archive(&file, CArchive::load);
    CObject* object = archive.ReadObject(RUNTIME_CLASS(CObject));
    if (object != nullptr && archive.IsBad()) __builtin_trap();
    delete object;
}

}  // namespace

// Every class a stream may name must be found by its name: referring to
// each here links its record in, as the game's own code does.
extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    for (const CRuntimeClass* readable :
         {RUNTIME_CLASS(CSpriteList), RUNTIME_CLASS(CDIB), RUNTIME_CLASS(CSprite), RUNTIME_CLASS(CPhasedSprite)}) {
        if (readable->m_pfnCreateObject == nullptr) __builtin_trap();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LoadList(data, size);
    LoadObject(data, size);
    return 0;
}
