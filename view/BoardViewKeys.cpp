// Keyboard play: the cell cursor and the keys that click through it.
#include <algorithm>

#include "platform/ui/DC.h"
#include "view/BoardView.h"

namespace {

struct ArrowKey {
    UINT key;
    int columnStep;
    int rowStep;
};
constexpr ArrowKey kArrowKeys[] = {{VK_LEFT, -1, 0}, {VK_RIGHT, 1, 0}, {VK_UP, 0, -1}, {VK_DOWN, 0, 1}};

}  // namespace

void CBoardView::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/) {
    for (const ArrowKey& arrow : kArrowKeys) {
        if (arrow.key == nChar) {
            MoveCursor(arrow.columnStep, arrow.rowStep);
            return;
        }
    }
    if (nChar == VK_SPACE || nChar == VK_RETURN) {
        // A hidden cursor is only shown: a click lands where the player sees it.
        if (m_bCursorShown) {
            ClickCell(m_nCursorCell);
        } else {
            MoveCursor(0, 0);
        }
    } else if (nChar == VK_ESCAPE && m_bSelected) {
        ClickCell(m_nFrom);
    }
}

void CBoardView::MoveCursor(int columnStep, int rowStep) {
    CClientDC dc(this);
    if (!m_bCursorShown) {
        if (m_bSelected) m_nCursorCell = m_nFrom;
        m_bCursorShown = true;
    } else {
        EraseCursor(dc);
        const int column = std::clamp(m_nCursorCell % kColumns + columnStep, 0, kColumns - 1);
        const int row = std::clamp(m_nCursorCell / kColumns + rowStep, 0, kRows - 1);
        m_nCursorCell = CellOf(column, row);
    }
    DrawCursor(dc);
}

void CBoardView::HideCursor() {
    if (!m_bCursorShown) return;
    m_bCursorShown = false;
    CClientDC dc(this);
    EraseCursor(dc);
}

void CBoardView::DrawCursor(CClientDC& dc) const {
    const int left = m_nCursorCell % kColumns * kCellSize;
    const int top = kBoardTop + m_nCursorCell / kColumns * kCellSize;
    int inset = 0;
    for (const COLORREF colour : kCursorRings) {
        const int side = kCellSize - 2 * inset;
        dc.Draw3dRect(left + inset, top + inset, side, side, colour, colour);
        ++inset;
    }
}

void CBoardView::EraseCursor(CClientDC& dc) const {
    const int left = m_nCursorCell % kColumns * kCellSize;
    const int top = m_nCursorCell / kColumns * kCellSize;
    m_dibBoard.DrawPart(&dc, left, kBoardTop + top, CRect(left, top, left + kCellSize, top + kCellSize));
}

void CBoardView::ClickCell(int cell) {
    const CPoint centre(cell % kColumns * kCellSize + kCellSize / 2,
                        kBoardTop + cell / kColumns * kCellSize + kCellSize / 2);
    CBoardGame::OnLButtonDown(MK_LBUTTON, centre);
}
