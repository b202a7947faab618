// CSpriteListener: told when a sprite moves, changes depth or shows another
// animation cell, so that its owner can repaint the affected areas.
// Sprites do not own their listener.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class CSprite;

// Change codes, single bits.
inline constexpr UINT SPRITE_CHANGED_Z = 1;  // rectangle: the sprite's
inline constexpr UINT SPRITE_CHANGED_POSITION = 2;  // rectangles: before and after the move
inline constexpr UINT SPRITE_CHANGED_CELL = 4;  // rectangle: the sprite's

class CSpriteListener : public CObject {
public:
    // `second` is null except for a change of position.
    virtual void OnSpriteChanged(CSprite* sprite, UINT change, const CRect& first, const CRect* second) = 0;
};
