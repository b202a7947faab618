#include "gfx/PhasedSprite.h"

#include "platform/core/Archive.h"
#include "platform/core/Trace.h"

IMPLEMENT_SERIAL(CPhasedSprite, CSprite, 0)

CPhasedSprite::CPhasedSprite() { ResetGrid(); }

CPhasedSprite::~CPhasedSprite() = default;

void CPhasedSprite::ResetGrid() {
    m_nCellRows = 1;
    m_nCellColumns = 1;
    m_nCellRow = 0;
    m_nCellColumn = 0;
    m_nCellHeight = ImageHeight();
    m_nCellWidth = ImageWidth();
}

void CPhasedSprite::Initialize() {
    CSprite::Initialize();
    ResetGrid();
}

void CPhasedSprite::Serialize(CArchive& archive) {
    CSprite::Serialize(archive);
    if (archive.IsBad()) return;
    if (archive.IsStoring()) {
        archive << m_nCellRows << m_nCellColumns << m_nCellRow << m_nCellColumn;
        return;
    }
    int rows = 0;
    int columns = 0;
    int row = 0;
    int column = 0;
    archive >> rows >> columns >> row >> column;
    SetNumCellRows(rows);
    SetNumCellColumns(columns);
    SetCellRow(row);
    SetCellColumn(column);
}

void CPhasedSprite::Render(CDIB* destination, const CRect* clip) const {
    if (destination == nullptr) return;
    CRect cell;
    GetRect(&cell);
    CRect bounds;
    destination->CDIB::GetRect(&bounds);
    if (clip != nullptr) bounds = *clip;
    CRect area;
    if (!area.IntersectRect(cell, bounds)) return;
    CopyRectTo(destination, area.left, area.top, area.Width(), area.Height(), area.left - m_nX + CellLeft(),
               area.top - m_nY + CellTop(), TransparentColour());
}

bool CPhasedSprite::HitTest(CPoint point) const {
    if (!StrictlyInside(point.x, m_nX, m_nCellWidth) || !StrictlyInside(point.y, m_nY, m_nCellHeight)) return false;
    const BYTE* pixel = GetPixelAddress(point.x - m_nX + CellLeft(), point.y - m_nY + CellTop());
    return pixel != nullptr && *pixel != m_byTransparent;
}

bool CPhasedSprite::SetNumCellRows(int rows) {
    if (rows < 1) {
        Trace("Invalid number of rows");
        return false;
    }
    const int height = ImageHeight() / rows;
    if (height < 1) {
        Trace("Can't make them that small");
        return false;
    }
    m_nCellRows = rows;
    m_nCellRow = 0;
    m_nCellHeight = height;
    return true;
}

bool CPhasedSprite::SetNumCellColumns(int columns) {
    if (columns < 1) {
        Trace("Invalid number of columns");
        return false;
    }
    const int width = ImageWidth() / columns;
    if (width < 1) {
        Trace("Can't make them that small");
        return false;
    }
    m_nCellColumns = columns;
    m_nCellColumn = 0;
    m_nCellWidth = width;
    return true;
}

bool CPhasedSprite::SetCellRow(int row) {
    if (row >= m_nCellRows || row < 0) {
        Trace("Invalid row");
        return false;
    }
    if (row == m_nCellRow) return false;
    m_nCellRow = row;
    CRect rect;
    GetRect(&rect);
    Notify(SPRITE_CHANGED_CELL, rect, nullptr);
    return true;
}

bool CPhasedSprite::SetCellColumn(int column) {
    if (column >= m_nCellColumns || column < 0) {
        Trace("Invalid column");
        return false;
    }
    if (column == m_nCellColumn) return false;
    m_nCellColumn = column;
    CRect rect;
    GetRect(&rect);
    Notify(SPRITE_CHANGED_CELL, rect, nullptr);
    return true;
}
