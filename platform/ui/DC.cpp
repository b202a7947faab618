#include "platform/ui/DC.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "platform/core/DibRow.h"
#include "platform/ui/Wnd.h"

namespace {

// Whether the source rectangle lies inside a picture whose header and depth
// can be drawn.
bool CanDecodeDibRect(const BITMAPINFO& header, const void* bits, const QRect& source) {
    constexpr LONG kMaxSide = 1 << 15;
    const BITMAPINFOHEADER& info = header.bmiHeader;
    const int pictureWidth = info.biWidth;
    const int pictureHeight = std::abs(info.biHeight);
    if (bits == nullptr || pictureWidth <= 0 || pictureWidth > kMaxSide || pictureHeight == 0 ||
        pictureHeight > kMaxSide || !CDibRowDecoder(header).CanDecode() || info.biCompression != 0)
        return false;
    return source.width() > 0 && source.height() > 0 && source.x() >= 0 && source.y() >= 0 &&
           source.x() <= pictureWidth - source.width() && source.y() <= pictureHeight - source.height();
}

// Decodes the (acceptable) source rectangle of a DIB into a 32-bit image with
// its top-left pixel at `at`; what falls outside the image is left out.
// Source y counts from the picture's bottom row.
void DecodeDibRect(const BITMAPINFO& header, const void* bits, const QRect& source, QImage& image, QPoint at) {
    const BITMAPINFOHEADER& info = header.bmiHeader;
    const CDibRowDecoder decoder(header);
    const std::size_t stride = ((static_cast<std::size_t>(info.biWidth) * info.biBitCount + 31) / 32) * 4;
    const int firstColumn = std::max(0, -at.x());
    const int lastColumn = std::min(source.width(), image.width() - at.x());
    const int firstRow = std::max(0, -at.y());
    const int lastRow = std::min(source.height(), image.height() - at.y());
    for (int y = firstRow; y < lastRow; ++y) {
        // Row y of the rectangle, counted from its top, in the picture's storage.
        const int storedRow = info.biHeight > 0 ? source.y() + source.height() - 1 - y : source.y() + y;
        decoder.Decode(static_cast<const BYTE*>(bits) + static_cast<std::size_t>(storedRow) * stride,
                       static_cast<std::size_t>(source.x() + firstColumn),
                       static_cast<std::size_t>(std::max(0, lastColumn - firstColumn)),
                       reinterpret_cast<std::uint32_t*>(image.scanLine(at.y() + y)) + at.x() + firstColumn);
    }
}

}  // namespace

CWndDC::~CWndDC() {
    if (!m_drawn.isEmpty()) m_pWnd->Present(m_drawn);
}

bool CWndDC::HasSurface() const { return m_pWnd->m_pClient != nullptr && !m_pWnd->m_surface.isNull(); }

bool CWndDC::Begin(QPainter& painter) const {
    if (!HasSurface()) return false;
    painter.begin(&m_pWnd->m_surface);
    if (m_clip) painter.setClipRegion(*m_clip);
    return true;
}

int CWndDC::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                          int srcHeight, const void* bits, const BITMAPINFO* header, UINT usage, DWORD rop) {
    if (header == nullptr || usage != DIB_RGB_COLORS || rop != SRCCOPY || destWidth <= 0 || destHeight <= 0) return 0;
    const QRect source(xSrc, ySrc, srcWidth, srcHeight);
    if (!CanDecodeDibRect(*header, bits, source) || !HasSurface()) return 0;
    const QRect target(xDest, yDest, destWidth, destHeight);
    QImage& surface = m_pWnd->m_surface;
    const qreal density = surface.devicePixelRatio();
    const auto scale = static_cast<int>(density);
    if (!m_clip && scale == density && source.size() == target.size() * scale) {
        // One source pixel to one pixel of the surface: decoded straight into it.
        DecodeDibRect(*header, bits, source, surface, target.topLeft() * scale);
        m_drawn |= target;
        return srcHeight;
    }
    QImage picture(source.size(), QImage::Format_RGB32);
    DecodeDibRect(*header, bits, source, picture, QPoint(0, 0));
    if (density != 1) {
        // Brought to twice the target's size first (a twin is that already; other
        // pictures are doubled pixel by pixel), then smoothly scaled to the
        // surface's density, so that every line of a picture keeps one width.
        const QSize doubled = target.size() * 2;
        if (picture.size() != doubled) picture = picture.scaled(doubled);
    }
    QPainter painter;
    if (!Begin(painter)) return 0;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, density != 1 && density != 2);
    painter.drawImage(target, picture);  // at density 1, nearest pixel when stretched
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
