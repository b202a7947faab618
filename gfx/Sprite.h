// CSprite: an 8-bit picture with a position and a depth that draws itself
// into another picture, leaving out the pixels of one transparent index.
// The transparent index is the picture's top-left pixel, taken again
// whenever the picture changes.  The listener is borrowed, never owned.
#pragma once

#include <cstdint>

#include "gfx/DIB.h"
#include "gfx/SpriteListener.h"

class CSprite : public CDIB {
public:
    DECLARE_SERIAL(CSprite)

    CSprite();
    ~CSprite() override;

    // The picture, then x, y and depth as 32-bit words.
    void Serialize(CArchive& archive) override;

    // Each load takes the transparent index afresh when it succeeds.  The
    // named-file form is CDIB's, which reads through the file form here.
    using CDIB::Load;
    BOOL Load(WORD resourceId) override;
    BOOL Load(CFile* file) override;

    using CDIB::MapColorsToPalette;
    BOOL MapColorsToPalette(CPalette* palette) override;

    // (x, y, x + GetWidth, y + GetHeight) in the destination's pixels; right
    // and bottom stop at INT_MAX, where no picture has pixels.
    void GetRect(CRect* result) const override;

    virtual int GetX() const { return m_nX; }
    virtual int GetY() const { return m_nY; }
    virtual int GetZ() const { return m_nZ; }

    // Copies the sprite into destination, clipped to clip (to the
    // destination's own rectangle when there is none).
    virtual void Render(CDIB* destination, const CRect* clip) const;
    // True strictly inside the rectangle: the left column and top row of the
    // sprite never count as a hit.
    virtual bool HitTest(CPoint point) const;
    // Tells the listener every time, even when the position stays.
    virtual void SetPosition(int x, int y);
    // Tells the listener only when the depth really changes.  A sprite in a
    // CSpriteList moves to its new place only through Reorder.
    virtual void SetZ(int z);
    virtual void SetListener(CSpriteListener* listener) { m_pListener = listener; }
    // Takes the transparent index from the top-left pixel.
    virtual void Initialize();

protected:
    // start < value < start + length, worked out without overflow.
    static bool StrictlyInside(int value, int start, int length) {
        return start < value && std::int64_t{value} < std::int64_t{start} + length;
    }
    // The colour reference that makes the copies skip the transparent index.
    COLORREF TransparentColour() const { return PALETTEINDEX(m_byTransparent); }
    void Notify(UINT change, const CRect& first, const CRect* second);

    int m_nX = 0;
    int m_nY = 0;
    int m_nZ = 0;
    BYTE m_byTransparent = 0;
    CSpriteListener* m_pListener = nullptr;
};
