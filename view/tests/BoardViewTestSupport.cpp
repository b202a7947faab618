#include "view/tests/BoardViewTestSupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <deque>

#include "platform/ui/ClientDC.h"
#include "platform/ui/Font.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApi.h"
#include "records/NameDlg.h"
#include "records/RecordsDlg.h"

void CTestView::DrawAll() {
    CBoardView::DrawAll();
    ++m_nDraws;
    if (m_onDraw) m_onDraw();
}

void CTestView::Pause(int milliseconds) {
    m_pauses.push_back(milliseconds);
    if (m_bSleep) CBoardView::Pause(milliseconds);
}

void CTestView::SetNext(int first, int second, int third) {
    m_nNext[0] = first;
    m_nNext[1] = second;
    m_nNext[2] = third;
}

void CTestView::SetBoard(const std::array<int, kCells>& colours) {
    m_bSelected = false;
    m_pSelSprite = nullptr;
    m_spriteList.RemoveAll();
    for (int cell = 0; cell < kCells; ++cell) {
        m_nBoard[cell] = colours[static_cast<std::size_t>(cell)];
        if (m_nBoard[cell] == 0) continue;
        auto sprite = std::make_unique<CPhasedSprite>();
        ASSERT_TRUE(sprite->Load(BallFileName(m_nBoard[cell]).c_str()));
        sprite->SetPosition(cell % kColumns * kCellSize, cell / kColumns * kCellSize);
        ASSERT_TRUE(m_spriteList.Insert(sprite.get()));
        sprite.release();
    }
}

void ViewTest::SetUp() {
    RegisterDialogResource(CNameDlg::IDD, CNameDlg::Template());
    RegisterDialogResource(CRecordsDlg::IDD, CRecordsDlg::Template());
    m_pFolder = std::make_unique<ScratchRunFolder>(FolderPictures());
    ASSERT_TRUE(m_pFolder->Ready());
    {
        const FixedClock clock(kSeed);
        m_pView = std::make_unique<CTestView>();
    }
    m_pHost = new CFrameWnd;
    ASSERT_TRUE(m_pHost->Create(nullptr, "host", WS_OVERLAPPED | WS_SYSMENU, CRect(0, 0, 364, 414)));
    ASSERT_TRUE(m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), m_pHost,
                                AFX_IDW_PANE_FIRST));
    m_pHost->RecalcLayout();
    m_pHost->ShowWindow(SW_SHOW);
    m_pHost->UpdateWindow();
    ASSERT_TRUE(WaitUntilShown(*m_pHost));
    // Whatever the showing left to paint is painted now; the tests count
    // redraws from here on.
    m_pHost->UpdateWindow();
    m_pView->ResetCounts();
}

void ViewTest::TearDown() {
    if (m_pHost != nullptr && m_pHost->GetSafeHwnd() != nullptr) m_pHost->DestroyWindow();
    m_pHost = nullptr;
    m_pView.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_pFolder.reset();
}

void ViewTest::Command(UINT id) {
    m_pView->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
}

void ViewTest::Repaint() {
    m_pView->Invalidate();
    m_pView->UpdateWindow();
}

QRect ViewTest::CellArea(int cell) {
    return QRect(cell % 9 * 40, cell / 9 * 40 + CBoardGame::kBoardTop, 40, 40);
}

std::array<int, CBoardGame::kCells> ViewTest::BoardColours() const {
    std::array<int, CBoardGame::kCells> colours{};
    for (int cell = 0; cell < CBoardGame::kCells; ++cell) colours[static_cast<std::size_t>(cell)] = m_pView->Cell(cell);
    return colours;
}

QImage ViewTest::ExpectedBoard() const {
    return ExpectedBoardFor(BoardColours(), m_pView->IsSelected() ? m_pView->From() : -1);
}

QImage BallLook(int colour, int frame) {
    CDIB board;
    CDIB ball;
    if (!board.Load("res1/pole.bmp") || !ball.Load(CBoardGame::BallFileName(colour).c_str())) return {};
    // Ball pixels are copied as indices, so they show in the board's colours.
    const RGBQUAD* table = board.GetColorTable();
    const BYTE key = *ball.GetPixelAddress(0, 0);
    QImage look(40, 40, QImage::Format_ARGB32);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const BYTE index = *ball.GetPixelAddress(frame * 40 + x, y);
            const RGBQUAD& rgb = table[index];
            look.setPixel(x, y, index == key ? 0u : qRgb(rgb.rgbRed, rgb.rgbGreen, rgb.rgbBlue));
        }
    }
    return look;
}

QImage ExpectedBoardPicture(const std::array<int, CBoardGame::kCells>& colours, int selectedCell) {
    QImage image = LoadPicture("res1/pole.bmp");
    if (image.isNull()) return {};
    QPainter painter(&image);
    for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
        const int colour = colours[static_cast<std::size_t>(cell)];
        if (colour == 0) continue;
        const QImage look = BallLook(colour, cell == selectedCell ? 1 : 0);
        if (look.isNull()) return {};
        painter.drawImage(cell % 9 * 40, cell / 9 * 40, look);
    }
    return image;
}

int ViewTest::FirstBallCell() const {
    for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
        if (m_pView->Cell(cell) != 0) return cell;
    }
    return -1;
}

namespace {

std::array<int, CBoardGame::kCells> Distances(const CBoardView& view, int from) {
    std::array<int, CBoardGame::kCells> distance;
    distance.fill(-1);
    distance[static_cast<std::size_t>(from)] = 0;
    std::deque<int> queue{from};
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop_front();
        const int column = cell % 9;
        const int row = cell / 9;
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : steps) {
            const int nextColumn = column + step[0];
            const int nextRow = row + step[1];
            if (nextColumn < 0 || nextColumn > 8 || nextRow < 0 || nextRow > 8) continue;
            const int next = nextColumn + nextRow * 9;
            if (view.Cell(next) != 0 || distance[static_cast<std::size_t>(next)] >= 0) continue;
            distance[static_cast<std::size_t>(next)] = distance[static_cast<std::size_t>(cell)] + 1;
            queue.push_back(next);
        }
    }
    return distance;
}

}  // namespace

int ViewTest::PathLength(int from, int to) const {
    return Distances(*m_pView, from)[static_cast<std::size_t>(to)];
}

int ViewTest::FarthestReachableCell(int from) const {
    const auto distance = Distances(*m_pView, from);
    int farthest = -1;
    for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
        if (farthest < 0 || distance[static_cast<std::size_t>(cell)] > distance[static_cast<std::size_t>(farthest)]) {
            farthest = cell;
        }
    }
    return distance[static_cast<std::size_t>(farthest)] > 0 ? farthest : -1;
}

BandReference DrawBandReference(const std::vector<BandText>& texts) {
    CWnd window;
    LPCSTR windowClass = AfxRegisterWndClass(0, nullptr, SysColorBrushValue(COLOR_WINDOW), nullptr);
    BandReference reference;
    if (!window.CreateEx(0, windowClass, "band", WS_POPUP, 0, 0, 360, 50, nullptr, nullptr)) return reference;
    window.ShowWindow(SW_SHOW);
    window.UpdateWindow();
    if (!WaitUntilShown(window)) return reference;
    {
        CClientDC dc(&window);
        CFont font;
        font.CreateFontA(18, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, FF_SWISS, "Arial");
        CFont* previous = dc.SelectObject(&font);
        for (const BandText& text : texts) {
            dc.SetTextColor(text.colour);
            const int count = static_cast<int>(text.bytes.size());
            dc.TextOutA(text.x, text.y, text.bytes.data(), count);
            const CSize extent = dc.GetTextExtent(text.bytes.data(), count);
            reference.boxes.emplace_back(text.x, text.y, extent.cx, extent.cy);
        }
        dc.SelectObject(previous);
    }
    reference.image = GrabClient(window);
    window.DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return reference;
}
