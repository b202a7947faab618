// The device context of a WM_PAINT handler: it covers the region being
// painted (m_ps.rcPaint), clips to it and validates it.  The region has
// already been erased to the class background when the handler runs.
#pragma once

#include "platform/ui/SurfaceDC.h"

class CPaintDC : public CSurfaceDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;
};
