#include "view/BoardView.h"

#include <charconv>

#include "platform/core/Trace.h"
#include "platform/ui/DC.h"
#include "platform/ui/WinApi.h"
#include "records/NameDlg.h"
#include "records/RecordsDlg.h"

namespace {

// The band's texts, Windows-1251 bytes, written with their byte counts.
constexpr char kScoreLabel[] = "\xF1\xF7\xE5\xF2:";  // "счет:"
constexpr char kNextCaption[] = "\xF1\xEB\xE5\xE4\xF3\xFE\xF9\xE8\xE5:     ";  // "следующие:     "
constexpr char kGameOverCaption[] = "\xE8\xE3\xF0\xE0 \xEE\xEA\xEE\xED\xF7\xE5\xED\xE0";  // "игра окончена"
constexpr char kScoreWipe[] = "        ";  // eight blanks over the previous number

template <std::size_t N>
constexpr int ByteCount(const char (&)[N]) {
    return static_cast<int>(N - 1);
}
static_assert(ByteCount(kScoreLabel) == 5);
static_assert(ByteCount(kNextCaption) == 15);
static_assert(ByteCount(kGameOverCaption) == 13);
static_assert(ByteCount(kScoreWipe) == 8);

}  // namespace

BEGIN_MESSAGE_MAP(CBoardView, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_CANCELMODE()
ON_WM_CREATE()
ON_COMMAND(CBoardView::kCommandNewGame, OnNewGame)
ON_COMMAND(CBoardView::kCommandScores, OnScores)
ON_COMMAND(CBoardView::kCommandRemakeMove, OnRemakeMove)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_TIMER()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CBoardView::CBoardView() = default;

CBoardView::~CBoardView() = default;

BOOL CBoardView::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CWnd::PreCreateWindow(cs)) return FALSE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
    // The window colour as background: every paint starts from a clean band.
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, LoadCursorA(nullptr, IDC_ARROW),
                                       SysColorBrushValue(COLOR_WINDOW), nullptr);
    return TRUE;
}

int CBoardView::OnCreate(LPCREATESTRUCT /*lpCreateStruct*/) {
    // The first game is set up now; it is seen with the first paint.
    StartGame();
    return 0;
}

void CBoardView::OnPaint() {
    CPaintDC dc(this);
    DrawAll();
    Trace("view: painted");
}

void CBoardView::DrawAll() {
    // The board file is reloaded and the balls composed on it (shared with
    // the headless driver); then the board goes to the window in one copy.
    ComposeBoardPicture();
    CClientDC dc(this);
    m_dibBoard.Draw(&dc, 0, kBoardTop);
    // A pass ends early, without texts, when a preview cannot be read.
    if (DrawPreviews(dc)) DrawTexts(dc);
    if (m_bCursorShown) DrawCursor(dc);
}

bool CBoardView::DrawPreviews(CClientDC& dc) const {
    CDIB preview;
    for (int index = 0; index < kBatchSize; ++index) {
        if (!preview.Load(PreviewFileName(m_nNext[index]).c_str())) return false;
        preview.Draw(&dc, kPreviewLeft + kPreviewPitch * index, kPreviewTop);
    }
    return true;
}

void CBoardView::DrawTexts(CClientDC& dc) const {
    CFont font;
    CFont* previousFont = nullptr;
    if (font.CreateFontA(18, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial")) {
        previousFont = dc.SelectObject(&font);
    }

    // Black on opaque white, the context's defaults.
    dc.TextOutA(kScoreLabelX, kScoreLabelY, kScoreLabel, ByteCount(kScoreLabel));
    if (!m_bGameOver) {
        dc.TextOutA(kCaptionX, kCaptionY, kNextCaption, ByteCount(kNextCaption));
    } else {
        dc.TextOutA(kCaptionX, kCaptionY, kGameOverCaption, ByteCount(kGameOverCaption));
    }

    dc.SetTextColor(RGB(255, 0, 0));
    char digits[16];
    const auto converted = std::to_chars(std::begin(digits), std::end(digits), m_nScore);
    dc.TextOutA(kScoreX, kScoreY, kScoreWipe, ByteCount(kScoreWipe));
    dc.TextOutA(kScoreX, kScoreY, digits, static_cast<int>(converted.ptr - digits));

    if (previousFont != nullptr) dc.SelectObject(previousFont);
    font.DeleteObject();
}

void CBoardView::Pause(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

std::string CBoardView::AskRecordName() {
    CNameDlg dialog(nullptr);
    dialog.DoModal();
    return dialog.m_strName;
}

void CBoardView::ShowRecords() {
    CRecordsDlg dialog(nullptr, RecordsFile());
    dialog.DoModal();
}

// The engine's handlers, reached through this window's message map.  The
// mouse takes over from the keyboard: its click hides the cursor.
void CBoardView::OnLButtonDown(UINT nFlags, CPoint point) {
    HideCursor();
    CBoardGame::OnLButtonDown(nFlags, point);
}

void CBoardView::OnNewGame() { CBoardGame::OnNewGame(); }

void CBoardView::OnScores() { CBoardGame::OnScores(); }

void CBoardView::OnRemakeMove() { CBoardGame::OnRemakeMove(); }

// A selected ball stays selected when another window takes the mouse.
void CBoardView::OnCancelMode() { CWnd::OnCancelMode(); }

void CBoardView::OnMouseMove(UINT nFlags, CPoint point) { CWnd::OnMouseMove(nFlags, point); }

void CBoardView::OnLButtonUp(UINT nFlags, CPoint point) { CWnd::OnLButtonUp(nFlags, point); }

// The second press of a double click: nothing happens, so a ball selected by
// the first press stays selected.
void CBoardView::OnLButtonDblClk(UINT nFlags, CPoint point) { CWnd::OnLButtonDblClk(nFlags, point); }

void CBoardView::OnTimer(UINT_PTR nIDEvent) { CWnd::OnTimer(nIDEvent); }
