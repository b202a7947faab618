#include "platform/ui/Font.h"

#include <QApplication>
#include <QFontMetrics>
#include <algorithm>

#include "platform/ui/FontImpl.h"
#include "platform/ui/WinApi.h"

namespace ui_detail {

FontImpl FontImpl::Stock() {
    FontImpl stock;
    stock.font = QApplication::font();
    stock.created = true;
    stock.Measure(0);
    return stock;
}

void FontImpl::Measure(int requestedCellHeight) {
    const QFontMetrics metrics(font);
    descent = metrics.descent();
    if (requestedCellHeight > 0) {
        cellHeight = requestedCellHeight;
        ascent = std::max(0, requestedCellHeight - descent);
    } else {
        ascent = metrics.ascent();
        cellHeight = ascent + descent;
    }
}

int PixelSizeForCell(QFont font, int cellHeight) {
    for (int pixels = cellHeight; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (metrics.ascent() + metrics.descent() <= cellHeight) return pixels;
    }
    return 1;
}

}  // namespace ui_detail

namespace {

constexpr int kDefaultPixelSize = 16;  // a height of 0 asks for the usual size
constexpr int kMaxPixelSize = 2000;

QFont::StyleHint HintFor(BYTE pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
    case FF_ROMAN: return QFont::Serif;
    case FF_SWISS: return QFont::SansSerif;
    case FF_MODERN: return QFont::TypeWriter;
    case FF_SCRIPT: return QFont::Cursive;
    case FF_DECORATIVE: return QFont::Decorative;
    default: return QFont::AnyStyle;
    }
}

}  // namespace

CFont::CFont() = default;
CFont::~CFont() = default;

BOOL CFont::CreateFontA(int nHeight, int nWidth, int nEscapement, int, int nWeight, BYTE bItalic, BYTE bUnderline,
                        BYTE cStrikeOut, BYTE, BYTE, BYTE, BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename) {
    if (m_pImpl || QCoreApplication::instance() == nullptr) return FALSE;
    if (nHeight < -kMaxPixelSize || nHeight > kMaxPixelSize || nWidth < 0 || nWidth > kMaxPixelSize) return FALSE;
    auto impl = std::make_unique<ui_detail::FontImpl>();
    QFont& font = impl->font;
    if (lpszFacename != nullptr && *lpszFacename != '\0') font.setFamily(QString::fromLatin1(lpszFacename));
    font.setStyleHint(HintFor(nPitchAndFamily));
    font.setFixedPitch((nPitchAndFamily & 0x03) == FIXED_PITCH);
    font.setWeight(nWeight <= 0 ? QFont::Normal : static_cast<QFont::Weight>(std::min(nWeight, 1000)));
    font.setItalic(bItalic != 0);
    font.setUnderline(bUnderline != 0);
    font.setStrikeOut(cStrikeOut != 0);
    if (nQuality == NONANTIALIASED_QUALITY) font.setStyleStrategy(QFont::NoAntialias);
    if (nHeight > 0) {
        font.setPixelSize(ui_detail::PixelSizeForCell(font, nHeight));
    } else {
        font.setPixelSize(nHeight < 0 ? -nHeight : kDefaultPixelSize);
    }
    if (nWidth > 0) {
        const int natural = std::max(1, QFontMetrics(font).averageCharWidth());
        font.setStretch(std::clamp(nWidth * 100 / natural, 1, 4000));
    }
    impl->escapement = nEscapement;
    impl->created = true;
    impl->Measure(nHeight);
    m_pImpl = std::move(impl);
    return TRUE;
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName) {
    return CreateFontA(-MulDiv(nPointSize, 96, 720), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, lpszFaceName);
}

BOOL CFont::DeleteObject() {
    if (!m_pImpl) return FALSE;
    m_pImpl.reset();
    return TRUE;
}

bool CFont::IsCreated() const { return m_pImpl != nullptr; }

namespace {
// Fonts must not outlive the application object: the stock font goes with it.
std::unique_ptr<CFont>& StockFont() {
    static std::unique_ptr<CFont> stock;
    return stock;
}
void ReleaseStockFont() { StockFont().reset(); }
}  // namespace

CFont* CFont::GetStockSystemFont() {
    std::unique_ptr<CFont>& stock = StockFont();
    if (!stock && QCoreApplication::instance() != nullptr) {
        stock = std::make_unique<CFont>();
        stock->m_pImpl = std::make_unique<ui_detail::FontImpl>(ui_detail::FontImpl::Stock());
        qAddPostRoutine(ReleaseStockFont);
    }
    return stock.get();
}
