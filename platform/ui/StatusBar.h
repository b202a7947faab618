// A status bar window.  Only constructed and destroyed here: no frame of
// this program creates one.
#pragma once

#include "platform/ui/Wnd.h"

class CStatusBar : public CWnd {
public:
    CStatusBar() = default;
    ~CStatusBar() override = default;
};
