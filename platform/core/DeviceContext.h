// The drawing surface that pictures are put on: the window layer's device
// contexts derive from it, and only what the picture classes need is here.
#pragma once

#include "platform/core/Types.h"

// A device context handle, as the picture code's handle-taking forms expect:
// an opaque pointer that only CDC turns back into a context.
struct HDC__;
using HDC = HDC__*;

class CDC {
public:
    virtual ~CDC() = default;

    HDC GetSafeHdc() { return reinterpret_cast<HDC>(this); }
    static CDC* FromHandle(HDC handle) { return reinterpret_cast<CDC*>(handle); }

    // Draws a rectangle of a bottom-up picture described by header (and its
    // colour table, read as RGB colours) at the destination rectangle.
    // Returns the number of scan lines drawn, 0 on failure.
    virtual int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                              int srcHeight, const void* bits, const BITMAPINFO* header, UINT usage, DWORD rop) = 0;
};

// The platform call the picture code uses; a null handle draws nothing.
inline int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                         int srcHeight, const void* bits, const BITMAPINFO* header, UINT usage, DWORD rop) {
    if (dc == nullptr) return 0;
    return CDC::FromHandle(dc)->StretchDIBits(xDest, yDest, destWidth, destHeight, xSrc, ySrc, srcWidth, srcHeight,
                                              bits, header, usage, rop);
}

// The density the pictures are read for: 1, or 2 on a screen with more than
// one device pixel to a logical pixel, where a picture file may have a twin
// drawn at twice its size.  The window layer sets it from its screen before
// a window is created; without a window it stays 1.
int PictureDensity();
void SetPictureDensity(int density);
