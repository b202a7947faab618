#include "gfx/SpriteList.h"

#include "platform/core/Archive.h"
#include "platform/core/Trace.h"

IMPLEMENT_SERIAL(CSpriteList, CObList, 0)

CSpriteList::CSpriteList() = default;

// The sprites are owned here; leaving them behind would leak them.
CSpriteList::~CSpriteList() { RemoveAll(); }

void CSpriteList::Serialize(CArchive& archive) {
    if (archive.IsStoring()) {
        archive.WriteCount(static_cast<DWORD>(GetCount()));
        for (POSITION pos = GetHeadPosition(); pos != nullptr;) archive.WriteObject(GetNext(pos));
        return;
    }
    // Only sprites may enter: anything else in the stream ends the reading.
    // The count is untrusted; a bad stream stops the loop through IsBad.
    int added = 0;
    for (DWORD remaining = archive.ReadCount(); remaining > 0; --remaining) {
        CObject* element = archive.ReadObject(RUNTIME_CLASS(CSprite));
        if (archive.IsBad()) break;
        if (element == nullptr) continue;
        AddTail(element);
        ++added;
    }
    if (!archive.IsBad()) return;
    // A half-read list is no list: destroy what this load made.
    for (; added > 0; --added) delete RemoveTail();
}

bool CSpriteList::Insert(CSprite* sprite) {
    if (sprite == nullptr) return false;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
        const POSITION here = pos;
        const auto* element = static_cast<const CSprite*>(GetNext(pos));
        if (element != nullptr && element->GetZ() >= sprite->GetZ()) {
            InsertBefore(here, sprite);
            return true;
        }
    }
    AddTail(sprite);
    return true;
}

CSprite* CSpriteList::Remove(CSprite* sprite) {
    if (sprite == nullptr) return nullptr;
    const POSITION pos = Find(sprite);
    if (pos == nullptr) return nullptr;
    RemoveAt(pos);
    return sprite;
}

void CSpriteList::Reorder(CSprite* sprite) {
    if (Remove(sprite) == nullptr) {
        Trace("Unable to find sprite");
        return;
    }
    Insert(sprite);
}

CSprite* CSpriteList::HitTest(CPoint point) const {
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
        auto* sprite = static_cast<CSprite*>(GetNext(pos));
        if (sprite != nullptr && sprite->HitTest(point)) return sprite;
    }
    return nullptr;
}

void CSpriteList::RemoveAll() {
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) delete GetNext(pos);
    CObList::RemoveAll();
}
