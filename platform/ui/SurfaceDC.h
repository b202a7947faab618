// A device context that draws onto a window's persistent surface.  Text
// and colours start as the classic defaults: black text on an opaque white
// background, the system font.  What is drawn reaches the screen when the
// context is released (CClientDC) or when the paint ends (CPaintDC).
// Texts are Windows-1251 bytes, counted in bytes.
#pragma once

#include <memory>

#include "platform/core/DeviceContext.h"
#include "platform/ui/WinDefs.h"

class CWnd;
class CFont;
namespace ui_detail {
class SurfaceDCImpl;
}

class CSurfaceDC : public CDC {
public:
    ~CSurfaceDC() override;
    CSurfaceDC(const CSurfaceDC&) = delete;
    CSurfaceDC& operator=(const CSurfaceDC&) = delete;

    // Draws a bottom-up picture of 1, 4, 8 (colour table), 16 (x1555),
    // 24 (BGR) or 32 (BGRx) bits per pixel; source y counts from the
    // picture's bottom row, as it always has.  Colour indices past the
    // table's used count are black.  Returns the lines drawn, 0 on refusal.
    int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                      int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* header,
                      UINT usage, DWORD rop) override;

    // Writes nCount bytes at (x, y), the top left of the first character
    // cell, with the opaque background as high as the cell.
    BOOL TextOutA(int x, int y, LPCSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount) { return TextOutA(x, y, lpszString, nCount); }
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
    BOOL GetTextMetrics(TEXTMETRIC* pMetrics) const;

    COLORREF SetTextColor(COLORREF colour);  // each returns the previous value
    COLORREF SetBkColor(COLORREF colour);
    int SetBkMode(int nBkMode);  // OPAQUE or TRANSPARENT
    COLORREF GetTextColor() const;
    COLORREF GetBkColor() const;

    // Selects a font and returns the one it replaces (the stock system font
    // at first); null when the font was never created.
    CFont* SelectObject(CFont* pFont);

    void FillSolidRect(const CRect& rect, COLORREF colour);
    COLORREF GetPixel(int x, int y) const;  // 0xFFFFFFFF outside the surface

    CWnd* GetWindow() const;

protected:
    explicit CSurfaceDC(CWnd* pWnd);
    ui_detail::SurfaceDCImpl* Impl() const { return m_pImpl.get(); }

private:
    std::unique_ptr<ui_detail::SurfaceDCImpl> m_pImpl;
};

// The classic handle-taking forms; a null or foreign handle does nothing.
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpszString, int nCount);
COLORREF SetTextColor(HDC hdc, COLORREF colour);
COLORREF SetBkColor(HDC hdc, COLORREF colour);
int SetBkMode(HDC hdc, int nBkMode);
