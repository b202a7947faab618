// Keyboard play: the cell cursor and the keys that click through it.
#include <algorithm>

#include "platform/ui/DC.h"
#include "view/BoardView.h"

void CBoardView::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/) {
    switch (nChar) {
    case VK_LEFT: MoveCursor(-1, 0); break;
    case VK_RIGHT: MoveCursor(1, 0); break;
    case VK_UP: MoveCursor(0, -1); break;
    case VK_DOWN: MoveCursor(0, 1); break;
    case VK_SPACE:
    case VK_RETURN:
        // A hidden cursor is shown first: a click where the player cannot see.
        if (m_bCursorShown) {
            ClickCell(m_nCursorCell);
        } else {
            MoveCursor(0, 0);
        }
        break;
    case VK_ESCAPE:
        if (m_bSelected) ClickCell(m_nFrom);
        break;
    default: break;
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
    // The picture's rows are stored bottom-up: the source y counts from its last row.
    const int sourceY = m_dibBoard.ImageHeight() - top - kCellSize;
    dc.StretchDIBits(left, kBoardTop + top, kCellSize, kCellSize, left, sourceY, kCellSize, kCellSize,
                     m_dibBoard.GetBits(), m_dibBoard.GetBitmapInfo(), DIB_RGB_COLORS, SRCCOPY);
}

void CBoardView::ClickCell(int cell) {
    const CPoint centre(cell % kColumns * kCellSize + kCellSize / 2,
                        kBoardTop + cell / kColumns * kCellSize + kCellSize / 2);
    CBoardGame::OnLButtonDown(MK_LBUTTON, centre);
}
