// A font asked for by the classic parameters.  A positive height is the
// character cell (ascent + descent), a negative one the em size, 0 a
// default size.  The face is matched by the system's font configuration
// ("Arial" finds its metric twin when Arial itself is missing).
#pragma once

#include <QFont>
#include <memory>

#include "platform/ui/WinDefs.h"

class CFont {
public:
    // The program asks only for upright, plain text: width, escapement,
    // orientation, italic, underline, strike-out, character set, precision
    // and quality are taken as the defaults.
    BOOL CreateFontA(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                     BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                     BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
    BOOL DeleteObject();

private:
    friend class CWndDC;
    struct Realised {
        QFont font;
        int cellHeight;  // ascent + descent
        int ascent;
    };
    // The font every device context starts with: the desktop's own.
    static CFont* Stock();

    std::unique_ptr<Realised> m_pFont;
};
