#include "view/tests/ViewTestSupport.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "gfx/HiResName.h"
#include "platform/core/Crt.h"
#include "platform/ui/DC.h"
#include "platform/ui/WinApi.h"
#include "records/NameDlg.h"
#include "records/RecordsDlg.h"
#include "tools/headless/GreedyPlayer.h"

ScratchRunFolder::ScratchRunFolder(bool pictures) : CScratchFolder(Enter::yes) {
    if (!pictures) return;
    m_bReady = CopyGamePictures("res1") && WriteWholeFile("res1/stat.txt", "");
}

QPoint CellCentre(int cell) { return CellArea(cell).center() + QPoint(1, 1); }

QRect CellArea(int cell) { return QRect(cell % 9 * 40, cell / 9 * 40 + CBoardGame::kBoardTop, 40, 40); }

// The pixels of `area` in the colours of `palette`'s table; index `key` clear.
static QImage Pixels(const CDIB& picture, const CDIB& palette, const QRect& area, int key = -1) {
    QImage image(area.size(), QImage::Format_ARGB32);
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const BYTE index = *picture.GetPixelAddress(area.x() + x, area.y() + y);
            const RGBQUAD& rgb = palette.GetColorTable()[index];
            image.setPixel(x, y, index == key ? 0u : qRgb(rgb.rgbRed, rgb.rgbGreen, rgb.rgbBlue));
        }
    }
    return image;
}

QImage LoadPicture(const std::string& fileName) {
    CDIB picture;
    if (!picture.Load(fileName.c_str())) return {};
    return Pixels(picture, picture, QRect(0, 0, picture.ImageWidth(), picture.ImageHeight()));
}

// The file as read at that density: the 1x file or its 2x twin.
static std::string AtDensity(const std::string& fileName, int density) {
    return density == 1 ? fileName : HiResName(fileName);
}

// Ball pixels are copied as indices, so they show in the board's colours.
QImage BallLook(int colour, int frame, int density) {
    CDIB board;
    CDIB ball;
    if (!board.Load(AtDensity("res1/pole.bmp", density).c_str()) ||
        !ball.Load(AtDensity(CBoardGame::BallFileName(colour), density).c_str()))
        return {};
    const int size = 40 * density;
    return Pixels(ball, board, QRect(frame * size, 0, size, size), *ball.GetPixelAddress(0, 0));
}

QImage ExpectedBoard(const Board& colours, int selectedCell, int density) {
    QImage image = LoadPicture(AtDensity("res1/pole.bmp", density));
    QPainter painter(&image);
    for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
        const int colour = colours[static_cast<std::size_t>(cell)];
        if (colour <= 0) continue;
        const QImage look = BallLook(colour, cell == selectedCell ? 1 : 0, density);
        painter.drawImage(cell % 9 * 40 * density, cell / 9 * 40 * density, look);
    }
    return image;
}

std::pair<int, int> FarthestCell(const Board& colours, int from) {
    const auto distance = CGreedyPlayer::Distances(colours, from);
    const auto farthest = std::max_element(distance.begin(), distance.end());
    return {static_cast<int>(farthest - distance.begin()), *farthest};
}

std::vector<Qt::Key> ArrowKeys(int from, int to) {
    const int across = to % 9 - from % 9;
    const int down = to / 9 - from / 9;
    std::vector<Qt::Key> keys(static_cast<std::size_t>(std::abs(across)), across < 0 ? Qt::Key_Left : Qt::Key_Right);
    keys.insert(keys.end(), static_cast<std::size_t>(std::abs(down)), down < 0 ? Qt::Key_Up : Qt::Key_Down);
    return keys;
}

void ViewTest::SetUp() {
    RegisterDialogResource(CNameDlg::IDD, CNameDlg::Template());
    RegisterDialogResource(CRecordsDlg::IDD, CRecordsDlg::Template());
    m_pFolder = std::make_unique<ScratchRunFolder>(WithPictures());
    ASSERT_TRUE(m_pFolder->Ready());
    {
        const crt::ScopedClock clock(1172912700);  // the seed of the first game
        m_pView = std::make_unique<CTestView>();
    }
    m_pHost = new CFrameWnd;
    ASSERT_TRUE(m_pHost->LoadFrame(0, WS_SYSMENU, nullptr, nullptr));
    ASSERT_TRUE(m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), m_pHost,
                                AFX_IDW_PANE_FIRST));
    m_pHost->SetWindowPos(nullptr, 0, 0, 364, 414, SWP_NOZORDER);
    m_pHost->ShowWindow(SW_SHOW);
    ASSERT_TRUE(WaitUntilShown(*m_pHost));
    // What the showing left to paint is painted now; the tests count redraws from here on.
    m_pHost->UpdateWindow();
    m_pView->seen.clear();
}

void ViewTest::TearDown() {
    if (m_pHost != nullptr) m_pHost->DestroyWindow();
    m_pView.reset();
    FlushDeletes();
    m_pFolder.reset();
}

int ViewTest::FirstBallCell() const {
    const Board colours = m_pView->Colours();
    return static_cast<int>(std::ranges::find_if(colours, [](int colour) { return colour > 0; }) - colours.begin());
}

namespace {

constexpr int kTextCell = 18;  // the height the view asks its font for: ascent + descent

// Arial (Liberation Sans on Linux) at the largest pixel size whose ascent + descent fit the text cell.
QFont BandFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    int pixels = kTextCell;
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > kTextCell) {
        --pixels;
        font.setPixelSize(pixels);
    }
    return font;
}

}  // namespace

std::pair<QImage, std::vector<QRect>> DrawBandReference(const std::vector<QString>& captions,
                                                        const std::vector<QString>& scores, bool label) {
    QImage image(360, 50, QImage::Format_RGB32);
    image.fill(SystemColour(COLOR_WINDOW));
    const QFont font = BandFont();
    const QFontMetrics metrics(font);
    std::vector<QRect> boxes;
    QPainter painter(&image);
    painter.setFont(font);
    // Each text on an opaque white box as wide as its advance, its descent at the bottom of the cell.
    const auto draw = [&](int x, int y, const QString& text, QColor colour) {
        const QRect box(x, y, metrics.horizontalAdvance(text), kTextCell);
        painter.fillRect(box, Qt::white);
        painter.setPen(colour);
        painter.drawText(QPoint(x, y + kTextCell - metrics.descent()), text);
        boxes.push_back(box);
    };
    if (label) draw(280, 10, QString::fromUtf8("счет:"), Qt::black);
    for (const QString& caption : captions) draw(10, 15, caption, Qt::black);
    for (const QString& score : scores) {
        draw(280, 30, QStringLiteral("        "), Qt::red);
        draw(280, 30, score, Qt::red);
    }
    return {image, boxes};
}
