#include "platform/ui/PaintDC.h"

#include "platform/ui/SurfaceDCImpl.h"

CPaintDC::CPaintDC(CWnd* pWnd) : CSurfaceDC(pWnd) {
    ui_detail::WndImpl* window = ui_detail::WndImpl::Of(pWnd);
    const QRegion region = window != nullptr && window->inPaint ? window->paintRegion : QRegion();
    const QRect bounds = region.boundingRect();
    m_ps.fErase = FALSE;  // the paint has erased the region already
    m_ps.rcPaint = CRect(bounds.left(), bounds.top(), bounds.left() + bounds.width(), bounds.top() + bounds.height());
    Impl()->clipping = true;
    Impl()->clip = region;
    if (window != nullptr) window->invalid = QRegion();  // beginning a paint validates the window
}

CPaintDC::~CPaintDC() { Impl()->Present(); }
