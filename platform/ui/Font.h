// A font asked for by the classic parameters.  A positive height is the
// character cell (ascent + descent), a negative one the character height
// without internal leading (the em size), 0 a default size.  The face is
// matched by the system's font configuration ("Arial" finds its metric
// twin when Arial itself is missing).
#pragma once

#include <memory>

#include "platform/core/Object.h"
#include "platform/ui/WinDefs.h"

namespace ui_detail {
class FontImpl;
}

class CFont : public CObject {
public:
    CFont();
    ~CFont() override;

    BOOL CreateFontA(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                     BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision,
                     BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision,
                    BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename) {
        return CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                           cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                           lpszFacename);
    }
    // nPointSize in tenths of a point, at 96 pixels per inch.
    BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName);
    BOOL DeleteObject();
    bool IsCreated() const;

    // The font every device context starts with.
    static CFont* GetStockSystemFont();

    ui_detail::FontImpl* Impl() const { return m_pImpl.get(); }

private:
    std::unique_ptr<ui_detail::FontImpl> m_pImpl;
};
