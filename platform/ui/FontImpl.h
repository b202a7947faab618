// A realised font: the Qt font and the cell metrics the classic calls
// report for it.
#pragma once

#include <QFont>

#include "platform/ui/WinDefs.h"

namespace ui_detail {

class FontImpl {
public:
    QFont font;
    int cellHeight = 0;  // tmHeight: ascent + descent
    int ascent = 0;
    int descent = 0;
    int escapement = 0;  // tenths of a degree, counter-clockwise
    bool created = false;

    // The font a device context starts with: the desktop's own.
    static FontImpl Stock();
    // Fills the metrics from the font; a positive cell height is kept.
    void Measure(int requestedCellHeight);
};

// The pixel size whose ascent + descent is the largest not above the cell
// height (at least 1).
int PixelSizeForCell(QFont font, int cellHeight);

}  // namespace ui_detail
