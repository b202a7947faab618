#include "app/Resources.h"

#include <cstdint>
#include <future>
#include <vector>

#include "app/AboutDlg.h"
#include "gfx/artwork/Icon.h"
#include "platform/ui/UiResources.h"
#include "records/NameDlg.h"
#include "records/RecordsDlg.h"
#include "velmor/Version.h"
#include "view/BoardView.h"

namespace {

MenuResource MainMenu() {
    return MenuResource{
        rc::Popup("&Game", {rc::MenuItem("&new game", CBoardView::kCommandNewGame),
                            rc::MenuItem("&remake move", CBoardView::kCommandRemakeMove),
                            rc::MenuItem("&scores", CBoardView::kCommandScores), rc::MenuItem("&quit", ID_APP_EXIT)}),
        rc::Popup("&Help", {rc::MenuItem("&About", ID_APP_ABOUT)}),
    };
}

// Editing keys the program never handles: each does nothing.
std::vector<ACCEL> MainAccelerators() {
    constexpr WORD kF6 = VK_F1 + 5;
    return {
        {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
        {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
        {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
        {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
        {FVIRTKEY, kF6, ID_NEXT_PANE},
        {FVIRTKEY | FSHIFT, kF6, ID_PREV_PANE},
        {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
        {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
        {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
    };
}

IconImage IconOfSize(int size) {
    IconImage image;
    image.width = size;
    image.height = size;
    const std::vector<std::uint32_t> argb = art::DrawIcon(size);
    image.rgba.reserve(argb.size() * 4);
    for (const std::uint32_t pixel : argb) {
        image.rgba.push_back(static_cast<BYTE>(pixel >> 16));
        image.rgba.push_back(static_cast<BYTE>(pixel >> 8));
        image.rgba.push_back(static_cast<BYTE>(pixel));
        image.rgba.push_back(static_cast<BYTE>(pixel >> 24));
    }
    return image;
}

IconResource DrawGameIcon() { return IconResource{IconOfSize(32), IconOfSize(16)}; }

std::future<IconResource> g_iconInTheMaking;

// The icon StartDrawingGameIcon began, or one drawn now when none was begun.
IconResource TakeGameIcon() {
    if (g_iconInTheMaking.valid()) return g_iconInTheMaking.get();
    return DrawGameIcon();
}

}  // namespace

void StartDrawingGameIcon() {
    // On a thread of its own when one can be had, else when it is registered.
    g_iconInTheMaking = std::async(std::launch::async | std::launch::deferred, DrawGameIcon);
}

void RegisterGameResources() {
    RegisterMenuResource(IDR_MAINFRAME, MainMenu());
    RegisterAcceleratorResource(IDR_MAINFRAME, MainAccelerators());
    RegisterStringResource(IDR_MAINFRAME, "velmor");
    RegisterStringResource(AFX_IDS_APP_TITLE, "velmor");
    RegisterDialogResource(IDD_ABOUTBOX, CAboutDlg::Template());
    RegisterDialogResource(CRecordsDlg::IDD, CRecordsDlg::Template());
    RegisterDialogResource(CNameDlg::IDD, CNameDlg::Template());
    RegisterIconResource(IDR_GAMEICON, TakeGameIcon());
}
