// The state of a device context on a window's surface.
#pragma once

#include <QPainter>
#include <QRegion>
#include <memory>

#include "platform/ui/FontImpl.h"
#include "platform/ui/WndImpl.h"

class CFont;

namespace ui_detail {

class SurfaceDCImpl {
public:
    explicit SurfaceDCImpl(CWnd* wnd);

    // The window's surface, or null once the window is gone.
    QImage* Surface() const;
    // Opens a painter on the surface with the context's clipping; false
    // when there is nothing to paint on.
    bool BeginPainting(QPainter& painter) const;
    void MarkDrawn(const QRect& rect) { drawn |= rect; }
    // Puts what was drawn on the screen.
    void Present();

    CWnd* wnd;
    std::weak_ptr<char> windowAlive;
    bool clipping = false;
    QRegion clip;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF backColour = RGB(255, 255, 255);
    int backMode = OPAQUE;
    CFont* selectedFont = nullptr;
    FontImpl font;
    QRect drawn;
};

}  // namespace ui_detail
