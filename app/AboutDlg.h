// The About box: the program's icon, two lines of text and "OK".
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/UiResources.h"

class CAboutDlg : public CDialog {
public:
    enum { IDD = 100 };

    CAboutDlg();
    ~CAboutDlg() override;

    // Dialog template 100, as the resources carry it.
    static DialogTemplate Template();
};
