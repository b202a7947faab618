// How a dialog template becomes pixels: the template's font and the base
// units derived from it.
#pragma once

#include <QFont>

#include "platform/ui/ResourceTypes.h"

namespace ui_detail {

// The template's face at its point size, taken at 96 pixels per inch.
QFont DialogFont(const DialogTemplate& dialogTemplate);
// Average width of the 52 Latin letters, rounded the classic way, and the
// character cell height.
CSize DialogBaseUnits(const QFont& font);
QRect DialogUnitsToPixels(const QRect& units, CSize baseUnits);

}  // namespace ui_detail
