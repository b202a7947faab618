// Device contexts on a window's persistent surface.  Text and colours start
// as the classic defaults: black text on an opaque white background, the
// system font.  Texts are Windows-1251 bytes, counted in bytes.  A context
// lives inside a handler of its window; the window outlives it.
#pragma once

#include <QRegion>
#include <optional>

#include "platform/core/DeviceContext.h"
#include "platform/ui/Font.h"

class CWnd;
class QPainter;

class CWndDC : public CDC {
public:
    CWndDC(const CWndDC&) = delete;
    CWndDC& operator=(const CWndDC&) = delete;

    // Draws a bottom-up picture (any depth the row decoder reads, no
    // compression); source y counts from the picture's bottom row.  Returns
    // the lines drawn, 0 on refusal.  The destination is in logical pixels:
    // on a denser surface a source twice the destination's size (a picture's
    // twin) fills it at that resolution.
    int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                      int srcHeight, const void* bits, const BITMAPINFO* header, UINT usage, DWORD rop) override;
    // Writes nCount bytes at (x, y), the top left of the first character
    // cell, on the opaque background as high as the cell.
    BOOL TextOutA(int x, int y, LPCSTR lpszString, int nCount);
    // A one-pixel frame just inside the rectangle (x, y, cx, cy): its top and
    // left sides in one colour, its right and bottom sides in the other.
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    COLORREF SetTextColor(COLORREF colour);  // each returns the previous value
    COLORREF SetBkColor(COLORREF colour);
    // Selects a font and returns the one it replaces (the stock system font
    // at first); null when the font was never created.
    CFont* SelectObject(CFont* pFont);

protected:
    explicit CWndDC(CWnd* pWnd) : m_pWnd(pWnd), m_pFont(CFont::Stock()) {}
    ~CWndDC() override;

    CWnd* m_pWnd;
    std::optional<QRegion> m_clip;

private:
    bool HasSurface() const;
    bool Begin(QPainter& painter) const;

    COLORREF m_textColour = RGB(0, 0, 0);
    COLORREF m_backColour = RGB(255, 255, 255);
    CFont* m_pFont;
    QRect m_drawn;
};

// A context on the client area, usable at any time; what it drew is put on
// the screen at once when it is released, so a handler that draws and then
// pauses shows each picture.
class CClientDC : public CWndDC {
public:
    explicit CClientDC(CWnd* pWnd) : CWndDC(pWnd) {}
};

// The context of a WM_PAINT handler: clipped to the region being painted,
// which it validates and which is already erased to the class background.
class CPaintDC : public CWndDC {
public:
    explicit CPaintDC(CWnd* pWnd);
};
