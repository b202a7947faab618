#include "platform/ui/SurfaceDC.h"

#include <QFontMetrics>
#include <utility>

#include "platform/ui/Font.h"
#include "platform/ui/DibImage.h"
#include "platform/ui/QtText.h"
#include "platform/ui/SurfaceDCImpl.h"
#include "platform/ui/WinHandles.h"

namespace ui_detail {

SurfaceDCImpl::SurfaceDCImpl(CWnd* window) : wnd(window) {
    if (WndImpl* impl = WndImpl::Of(wnd)) windowAlive = impl->life;
    selectedFont = CFont::GetStockSystemFont();
    if (selectedFont != nullptr && selectedFont->Impl() != nullptr) font = *selectedFont->Impl();
}

QImage* SurfaceDCImpl::Surface() const {
    if (windowAlive.expired()) return nullptr;
    WndImpl* impl = WndImpl::Of(wnd);
    return impl->Exists() && !impl->surface.isNull() ? &impl->surface : nullptr;
}

bool SurfaceDCImpl::BeginPainting(QPainter& painter) const {
    QImage* surface = Surface();
    if (surface == nullptr) return false;
    painter.begin(surface);
    if (clipping) painter.setClipRegion(clip);
    return true;
}

void SurfaceDCImpl::Present() {
    if (drawn.isEmpty() || windowAlive.expired()) return;
    WndImpl::Of(wnd)->Present(drawn);
    drawn = QRect();
}

}  // namespace ui_detail

using ui_detail::ColourFromRef;
using ui_detail::SurfaceDCImpl;

CSurfaceDC::CSurfaceDC(CWnd* pWnd) : m_pImpl(std::make_unique<SurfaceDCImpl>(pWnd)) {}

CSurfaceDC::~CSurfaceDC() = default;

int CSurfaceDC::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                              int srcHeight, const void* bits, const BITMAPINFO* header, UINT usage, DWORD rop) {
    if (header == nullptr || usage != DIB_RGB_COLORS || rop != SRCCOPY || destWidth <= 0 || destHeight <= 0) return 0;
    const QImage source = ui_detail::DibRectToImage(*header, bits, xSrc, ySrc, srcWidth, srcHeight);
    if (source.isNull()) return 0;
    QPainter painter;
    if (!m_pImpl->BeginPainting(painter)) return 0;
    const QRect target(xDest, yDest, destWidth, destHeight);
    painter.drawImage(target, source);  // nearest pixel when stretched: no smooth transform is set
    m_pImpl->MarkDrawn(target);
    return srcHeight;
}

BOOL CSurfaceDC::TextOutA(int x, int y, LPCSTR lpszString, int nCount) {
    if (nCount < 0 || (lpszString == nullptr && nCount > 0)) return FALSE;
    const QString text = ui_detail::FromWindows1251(std::string_view(lpszString == nullptr ? "" : lpszString,
                                                                     static_cast<std::size_t>(nCount)));
    QPainter painter;
    if (!m_pImpl->BeginPainting(painter)) return FALSE;
    const ui_detail::FontImpl& font = m_pImpl->font;
    painter.setFont(font.font);
    painter.translate(x, y);
    if (font.escapement != 0) painter.rotate(-font.escapement / 10.0);
    const int width = QFontMetrics(font.font).horizontalAdvance(text);
    const QRect cell(0, 0, width, font.cellHeight);
    if (m_pImpl->backMode == OPAQUE) painter.fillRect(cell, ColourFromRef(m_pImpl->backColour));
    painter.setPen(ColourFromRef(m_pImpl->textColour));
    painter.drawText(QPoint(0, font.ascent), text);
    m_pImpl->MarkDrawn(painter.transform().mapRect(cell.adjusted(-2, 0, 2, 0)));
    return TRUE;
}

CSize CSurfaceDC::GetTextExtent(LPCSTR lpszString, int nCount) const {
    if (nCount < 0 || lpszString == nullptr) return CSize{};
    const QString text = ui_detail::FromWindows1251(std::string_view(lpszString, static_cast<std::size_t>(nCount)));
    return CSize{QFontMetrics(m_pImpl->font.font).horizontalAdvance(text), m_pImpl->font.cellHeight};
}

BOOL CSurfaceDC::GetTextMetrics(TEXTMETRIC* pMetrics) const {
    if (pMetrics == nullptr) return FALSE;
    const ui_detail::FontImpl& font = m_pImpl->font;
    const QFontMetrics metrics(font.font);
    pMetrics->tmHeight = font.cellHeight;
    pMetrics->tmAscent = font.ascent;
    pMetrics->tmDescent = font.descent;
    pMetrics->tmInternalLeading = font.cellHeight - font.font.pixelSize();
    pMetrics->tmExternalLeading = metrics.leading();
    pMetrics->tmAveCharWidth = metrics.averageCharWidth();
    pMetrics->tmMaxCharWidth = metrics.maxWidth();
    pMetrics->tmWeight = font.font.weight();
    return TRUE;
}

COLORREF CSurfaceDC::SetTextColor(COLORREF colour) { return std::exchange(m_pImpl->textColour, colour & 0x00FFFFFF); }
COLORREF CSurfaceDC::SetBkColor(COLORREF colour) { return std::exchange(m_pImpl->backColour, colour & 0x00FFFFFF); }
COLORREF CSurfaceDC::GetTextColor() const { return m_pImpl->textColour; }
COLORREF CSurfaceDC::GetBkColor() const { return m_pImpl->backColour; }

int CSurfaceDC::SetBkMode(int nBkMode) {
    if (nBkMode != OPAQUE && nBkMode != TRANSPARENT) return 0;
    return std::exchange(m_pImpl->backMode, nBkMode);
}

CFont* CSurfaceDC::SelectObject(CFont* pFont) {
    if (pFont == nullptr || pFont->Impl() == nullptr) return nullptr;
    CFont* previous = m_pImpl->selectedFont;
    m_pImpl->selectedFont = pFont;
    m_pImpl->font = *pFont->Impl();
    return previous;
}

void CSurfaceDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    QPainter painter;
    if (!m_pImpl->BeginPainting(painter)) return;
    const QRect target(rect.left, rect.top, rect.Width(), rect.Height());
    painter.fillRect(target, ColourFromRef(colour));
    m_pImpl->MarkDrawn(target);
}

COLORREF CSurfaceDC::GetPixel(int x, int y) const {
    const QImage* surface = m_pImpl->Surface();
    if (surface == nullptr || !surface->rect().contains(x, y)) return 0xFFFFFFFF;
    return ui_detail::RefFromColour(QColor(surface->pixel(x, y)));
}

CWnd* CSurfaceDC::GetWindow() const { return m_pImpl->wnd; }

namespace {
CSurfaceDC* SurfaceOf(HDC hdc) { return hdc == nullptr ? nullptr : dynamic_cast<CSurfaceDC*>(CDC::FromHandle(hdc)); }
}  // namespace

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpszString, int nCount) {
    CSurfaceDC* dc = SurfaceOf(hdc);
    return dc == nullptr ? FALSE : dc->TextOutA(x, y, lpszString, nCount);
}
COLORREF SetTextColor(HDC hdc, COLORREF colour) {
    CSurfaceDC* dc = SurfaceOf(hdc);
    return dc == nullptr ? 0 : dc->SetTextColor(colour);
}
COLORREF SetBkColor(HDC hdc, COLORREF colour) {
    CSurfaceDC* dc = SurfaceOf(hdc);
    return dc == nullptr ? 0 : dc->SetBkColor(colour);
}
int SetBkMode(HDC hdc, int nBkMode) {
    CSurfaceDC* dc = SurfaceOf(hdc);
    return dc == nullptr ? 0 : dc->SetBkMode(nBkMode);
}
