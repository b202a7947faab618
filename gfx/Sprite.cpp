#include "gfx/Sprite.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CSprite, CDIB, 0)

CSprite::CSprite() = default;

CSprite::~CSprite() = default;

void CSprite::Serialize(CArchive& archive) {
    CDIB::Serialize(archive);
    if (archive.IsBad()) return;  // the fields behind a failed picture are not ours
    if (archive.IsStoring()) {
        archive << m_nX << m_nY << m_nZ;
        return;
    }
    archive >> m_nX >> m_nY >> m_nZ;
    Initialize();
}

BOOL CSprite::Load(WORD resourceId) {
    const BOOL loaded = CDIB::Load(resourceId);
    if (loaded) Initialize();
    return loaded;
}

BOOL CSprite::Load(CFile* file) {
    const BOOL loaded = CDIB::Load(file);
    if (loaded) Initialize();
    return loaded;
}

BOOL CSprite::MapColorsToPalette(CPalette* palette) {
    const BOOL mapped = CDIB::MapColorsToPalette(palette);
    // Only the index is re-read: a subclass keeps the rest of its state.
    CSprite::Initialize();
    return mapped;
}

namespace {

// start + length, stopped at the ends of int: a position may be anywhere.
int EndOf(int start, int length) {
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{start} + length, INT_MIN, INT_MAX));
}

}  // namespace

void CSprite::GetRect(CRect* result) const {
    if (result != nullptr) *result = CRect(m_nX, m_nY, EndOf(m_nX, GetWidth()), EndOf(m_nY, GetHeight()));
}

void CSprite::Render(CDIB* destination, const CRect* clip) const {
    if (destination == nullptr) return;
    CRect sprite;
    GetRect(&sprite);
    CRect bounds;
    destination->CDIB::GetRect(&bounds);
    if (clip != nullptr) bounds = *clip;
    CRect area;
    if (!area.IntersectRect(sprite, bounds)) return;
    CopyRectTo(destination, area.left, area.top, area.Width(), area.Height(), area.left - m_nX, area.top - m_nY,
               TransparentColour());
}

bool CSprite::HitTest(CPoint point) const {
    return StrictlyInside(point.x, m_nX, GetWidth()) && StrictlyInside(point.y, m_nY, GetHeight());
}

void CSprite::SetPosition(int x, int y) {
    CRect before;
    GetRect(&before);
    m_nX = x;
    m_nY = y;
    CRect after;
    GetRect(&after);
    Notify(SPRITE_CHANGED_POSITION, before, &after);
}

void CSprite::SetZ(int z) {
    if (z == m_nZ) return;
    m_nZ = z;
    CRect rect;
    GetRect(&rect);
    Notify(SPRITE_CHANGED_Z, rect, nullptr);
}

void CSprite::Initialize() {
    const BYTE* topLeft = GetPixelAddress(0, 0);
    if (topLeft != nullptr) m_byTransparent = *topLeft;
}

void CSprite::Notify(UINT change, const CRect& first, const CRect* second) {
    if (m_pListener != nullptr) m_pListener->OnSpriteChanged(this, change, first, second);
}
