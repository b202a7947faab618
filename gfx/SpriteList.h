// CSpriteList: the sprites of one scene in ascending depth from head to
// tail (among equal depths the newest first).  The list owns its sprites:
// RemoveAll and the destructor destroy them; Remove hands one back to the
// caller, who then owns it.
#pragma once

#include "gfx/Sprite.h"
#include "platform/core/ObList.h"

class CSpriteList : public CObList {
public:
    DECLARE_SERIAL(CSpriteList)

    CSpriteList();
    ~CSpriteList() override;

    // The count, then each sprite with its class record; reading re-creates
    // the sprites by class and appends them.  When an element is not a
    // readable sprite, the sprites this load made are destroyed again.
    void Serialize(CArchive& archive) override;

    // Places the sprite before the first one of equal or greater depth.
    bool Insert(CSprite* sprite);
    // Takes the sprite out without destroying it; null when not in the list.
    CSprite* Remove(CSprite* sprite);
    // Moves a sprite whose depth changed to its new place.
    void Reorder(CSprite* sprite);
    // The first sprite from the head whose own HitTest is true, or null.
    CSprite* HitTest(CPoint point) const;
    // Destroys every sprite and empties the list.
    void RemoveAll();
};
