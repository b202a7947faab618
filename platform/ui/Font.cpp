#include "platform/ui/Font.h"

#include <QApplication>
#include <QFontMetrics>
#include <algorithm>

namespace {

constexpr int kDefaultPixelSize = 16;

// The pixel size whose ascent + descent is the largest not above the cell
// height (at least 1).
int PixelSizeForCell(QFont font, int cellHeight) {
    for (int pixels = cellHeight; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (metrics.ascent() + metrics.descent() <= cellHeight) return pixels;
    }
    return 1;
}

// A positive height is the character cell's, a negative one the characters'
// own; a height of 0 asks for the usual size.
int PixelSizeForHeight(const QFont& font, int height) {
    if (height > 0) return PixelSizeForCell(font, height);
    if (height < 0) return -height;
    return kDefaultPixelSize;
}

}  // namespace

BOOL CFont::CreateFontA(int nHeight, int, int, int, int nWeight, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE,
                        BYTE nPitchAndFamily, LPCSTR lpszFacename) {
    constexpr int kMaxPixelSize = 2000;
    if (m_pFont || QCoreApplication::instance() == nullptr || std::abs(nHeight) > kMaxPixelSize) return FALSE;
    QFont font;
    if (lpszFacename != nullptr && *lpszFacename != '\0') font.setFamily(QString::fromLatin1(lpszFacename));
    font.setStyleHint((nPitchAndFamily & 0xF0) == FF_SWISS ? QFont::SansSerif : QFont::AnyStyle);
    font.setWeight(nWeight <= 0 ? QFont::Normal : static_cast<QFont::Weight>(std::min(nWeight, 1000)));
    font.setPixelSize(PixelSizeForHeight(font, nHeight));
    const QFontMetrics metrics(font);
    const int cellHeight = nHeight > 0 ? nHeight : metrics.ascent() + metrics.descent();
    m_pFont = std::make_unique<Realised>(Realised{font, cellHeight, std::max(0, cellHeight - metrics.descent())});
    return TRUE;
}

BOOL CFont::DeleteObject() {
    if (!m_pFont) return FALSE;
    m_pFont.reset();
    return TRUE;
}

CFont* CFont::Stock() {
    // Fonts must not outlive the application object: the stock font goes with it.
    static std::unique_ptr<CFont> stock;
    if (!stock && QCoreApplication::instance() != nullptr) {
        stock = std::make_unique<CFont>();
        const QFontMetrics metrics(QApplication::font());
        stock->m_pFont = std::make_unique<Realised>(
            Realised{QApplication::font(), metrics.ascent() + metrics.descent(), metrics.ascent()});
        qAddPostRoutine([] { stock.reset(); });
    }
    return stock.get();
}
