// A rectangle of a device-independent picture turned into a Qt image, with
// every header value checked first: the picture code's DIBs are trusted
// less than they look.
#pragma once

#include <QImage>

#include "platform/core/Types.h"

namespace ui_detail {

// The source rectangle (x from the left, y from the picture's bottom row
// for a bottom-up picture, from the top for a top-down one) as a 32-bit
// image, top row first.  A null image when the header, the depth or the
// rectangle is not acceptable.
QImage DibRectToImage(const BITMAPINFO& header, const void* bits, int xSrc, int ySrc, int width, int height);

}  // namespace ui_detail
