#include "app/AboutDlg.h"

#include <string>

#include "app/Resources.h"
#include "velmor/Version.h"

CAboutDlg::CAboutDlg() : CDialog(IDD) {}

CAboutDlg::~CAboutDlg() = default;

DialogTemplate CAboutDlg::Template() {
    return rc::Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 177, 51, "", 8, "Arial",
                      {rc::Icon(IDR_GAMEICON, IDC_STATIC, 11, 17, 21, 20),
                       rc::LText(std::string("velmor ") + velmor::kRelease, IDC_STATIC, 40, 10, 60, 8, SS_NOPREFIX),
                       rc::LText("Line up five balls of a colour.", IDC_STATIC, 39, 29, 119, 8),
                       rc::DefPushButton("OK", IDOK, 120, 7, 50, 14, WS_GROUP)});
}
