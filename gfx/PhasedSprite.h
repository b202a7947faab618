// CPhasedSprite: a sprite whose picture is a grid of equal cells, of which
// one, the current cell, is shown and hit-tested.  The sprite's size is one
// cell's; pixels left over at the right and bottom belong to no cell.
#pragma once

#include "gfx/Sprite.h"

class CPhasedSprite : public CSprite {
public:
    DECLARE_SERIAL(CPhasedSprite)

    CPhasedSprite();
    ~CPhasedSprite() override;

    // The sprite, then the grid and current cell as 32-bit words, read back
    // through the setters so that values they refuse are not taken.
    void Serialize(CArchive& archive) override;

    int GetWidth() const override { return m_nCellWidth; }
    int GetHeight() const override { return m_nCellHeight; }

    void Render(CDIB* destination, const CRect* clip) const override;
    // Strictly inside the cell rectangle and over a non-transparent pixel of
    // the current cell.
    bool HitTest(CPoint point) const override;
    // Also makes the grid one cell showing the whole picture.
    void Initialize() override;

    virtual int GetNumCellRows() const { return m_nCellRows; }
    virtual int GetNumCellColumns() const { return m_nCellColumns; }
    virtual int GetCellRow() const { return m_nCellRow; }
    virtual int GetCellColumn() const { return m_nCellColumn; }
    // Splits the picture; the current row (column) goes back to 0.  False,
    // changing nothing, for fewer than 1 or cells under 1 pixel.
    virtual bool SetNumCellRows(int rows);
    virtual bool SetNumCellColumns(int columns);
    // True only when the current cell really changed.
    virtual bool SetCellRow(int row);
    virtual bool SetCellColumn(int column);

private:
    void ResetGrid();
    // Where the current cell starts in the picture.
    int CellLeft() const { return m_nCellColumn * m_nCellWidth; }
    int CellTop() const { return m_nCellRow * m_nCellHeight; }

    int m_nCellRows = 1;
    int m_nCellColumns = 1;
    int m_nCellRow = 0;
    int m_nCellColumn = 0;
    int m_nCellHeight = 0;
    int m_nCellWidth = 0;
};
