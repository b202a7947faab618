// A device context on a window's client area, usable at any time.  Its
// drawing is put on the screen at once when it is released, so a handler
// that draws and then pauses shows each picture.
#pragma once

#include "platform/ui/SurfaceDC.h"

class CClientDC : public CSurfaceDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;
};
