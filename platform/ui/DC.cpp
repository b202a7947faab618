#include "platform/ui/DC.h"

#include <QFontMetrics>
#include <QPainter>
#include <cstdlib>

#include "platform/core/DibRow.h"
#include "platform/ui/Wnd.h"

namespace {

// The source rectangle of a DIB as a 32-bit image, top row first; null when
// the header, the depth or the rectangle is not acceptable.
QImage DibRectToImage(const BITMAPINFO& header, const void* bits, int xSrc, int ySrc, int width, int height) {
    constexpr LONG kMaxSide = 1 << 15;
    const BITMAPINFOHEADER& info = header.bmiHeader;
    const CDibRowDecoder decoder(header);
    const int pictureWidth = info.biWidth;
    const int pictureHeight = std::abs(info.biHeight);
    if (bits == nullptr || pictureWidth <= 0 || pictureWidth > kMaxSide || pictureHeight == 0 ||
        pictureHeight > kMaxSide || !decoder.CanDecode() || info.biCompression != 0)
        return {};
    if (width <= 0 || height <= 0 || xSrc < 0 || ySrc < 0 || xSrc > pictureWidth - width ||
        ySrc > pictureHeight - height)
        return {};
    const std::size_t stride = ((static_cast<std::size_t>(pictureWidth) * info.biBitCount + 31) / 32) * 4;
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        // Row y of the result, counted from its top, in the picture's storage.
        const int storedRow = info.biHeight > 0 ? ySrc + height - 1 - y : ySrc + y;
        decoder.Decode(static_cast<const BYTE*>(bits) + static_cast<std::size_t>(storedRow) * stride,
                       static_cast<std::size_t>(xSrc), static_cast<std::size_t>(width),
                       reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    return image;
}

}  // namespace

CWndDC::~CWndDC() {
    if (!m_drawn.isEmpty()) m_pWnd->Present(m_drawn);
}

bool CWndDC::Begin(QPainter& painter) const {
    if (m_pWnd->m_pClient == nullptr || m_pWnd->m_surface.isNull()) return false;
    painter.begin(&m_pWnd->m_surface);
    if (m_clip) painter.setClipRegion(*m_clip);
    return true;
}

int CWndDC::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                          int srcHeight, const void* bits, const BITMAPINFO* header, UINT usage, DWORD rop) {
    if (header == nullptr || usage != DIB_RGB_COLORS || rop != SRCCOPY || destWidth <= 0 || destHeight <= 0) return 0;
    QImage source = DibRectToImage(*header, bits, xSrc, ySrc, srcWidth, srcHeight);
    QPainter painter;
    if (source.isNull() || !Begin(painter)) return 0;
    const QRect target(xDest, yDest, destWidth, destHeight);
    const qreal density = m_pWnd->m_surface.devicePixelRatio();
    if (density != 1) {
        // Brought to twice the target's size first (a twin is that already; other
        // pictures are doubled pixel by pixel), then put 1:1 on a surface of
        // density 2 and smoothly scaled on any other, so that every line of a
        // picture keeps one width.
        const QSize doubled = target.size() * 2;
        if (source.size() != doubled) source = source.scaled(doubled);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, density != 2);
    }
    painter.drawImage(target, source);  // at density 1, nearest pixel when stretched
    m_drawn |= target;
    return srcHeight;
}

BOOL CWndDC::TextOutA(int x, int y, LPCSTR lpszString, int nCount) {
    if (nCount < 0 || (lpszString == nullptr && nCount > 0)) return FALSE;
    const QString text = ui_detail::FromWindows1251(
        std::string_view(nCount == 0 ? "" : lpszString, static_cast<std::size_t>(nCount)));
    QPainter painter;
    if (m_pFont == nullptr || !Begin(painter)) return FALSE;
    const CFont::Realised& font = *m_pFont->m_pFont;
    painter.setFont(font.font);
    const QRect cell(x, y, QFontMetrics(font.font).horizontalAdvance(text), font.cellHeight);
    painter.fillRect(cell, ui_detail::ColourOf(m_backColour));
    painter.setPen(ui_detail::ColourOf(m_textColour));
    painter.drawText(QPoint(x, y + font.ascent), text);
    m_drawn |= cell.adjusted(-2, 0, 2, 0);  // glyphs may reach a little past their advance
    return TRUE;
}

void CWndDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    if (cx <= 0 || cy <= 0) {
        return;
    }
    QPainter painter;
    if (!Begin(painter)) {
        return;
    }
    const QColor topLeft = ui_detail::ColourOf(clrTopLeft);
    const QColor bottomRight = ui_detail::ColourOf(clrBottomRight);
    painter.fillRect(x, y, cx - 1, 1, topLeft);
    painter.fillRect(x, y, 1, cy - 1, topLeft);
    painter.fillRect(x + cx - 1, y, 1, cy, bottomRight);
    painter.fillRect(x, y + cy - 1, cx, 1, bottomRight);
    m_drawn |= QRect(x, y, cx, cy);
}

COLORREF CWndDC::SetTextColor(COLORREF colour) {
    const COLORREF previous = m_textColour;
    m_textColour = colour & 0x00FFFFFF;
    return previous;
}

COLORREF CWndDC::SetBkColor(COLORREF colour) {
    const COLORREF previous = m_backColour;
    m_backColour = colour & 0x00FFFFFF;
    return previous;
}

CFont* CWndDC::SelectObject(CFont* pFont) {
    if (pFont == nullptr || !pFont->m_pFont) return nullptr;
    CFont* previous = m_pFont;
    m_pFont = pFont;
    return previous;
}

CPaintDC::CPaintDC(CWnd* pWnd) : CWndDC(pWnd) {
    m_clip = pWnd->m_bInPaint ? pWnd->m_paintRegion : QRegion();
    pWnd->m_invalid = QRegion();  // beginning a paint validates the window
}
