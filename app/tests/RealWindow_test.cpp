// The game's real window under X, driven by real input (xdotool) and read
// back from the server: place, icon, start picture, clicks, walk, scales.
#include <QPainter>

#include "app/tests/AppTestSupport.h"

TEST_F(RealWindowTest, PlaceIconStartPictureAndWalkOnTheRealWindow) {
    EXPECT_EQ(m_game->Geometry().topLeft(), QPoint(100, 100));
    EXPECT_EQ(m_game->Geometry().width(), 364);
    // The icon, drawn on a thread of its own while the program starts, is on the window in both sizes.
    const QByteArray icon = RunTool("xprop", {"-id", m_game->Id(), "_NET_WM_ICON"}).value_or("");
    EXPECT_TRUE(icon.contains("Icon (32 x 32)") && icon.contains("Icon (16 x 16)")) << icon.left(80).toStdString();
    EXPECT_EQ(WaitForView(CompareWithGolden), "");
    const BoardReading start = m_reader.Read(m_view);
    ASSERT_TRUE(start.Readable());
    ASSERT_EQ(start.Balls(), 3);
    // Each step shows for 80 ms.  The thread that reads the window is woken by the server as the step is drawn, but on
    // a busy machine it may still wait its turn longer than that: at least half are caught.
    const WalkSeen walk = WalkTheLongestWay(
        m_reader, [this](int milliseconds) { return m_game->NextView(milliseconds); },
        [this](QPoint point) { m_game->Click(point); }, start, "X");
    ASSERT_TRUE(walk.selected) << "the click did not select";
    ASSERT_GE(walk.steps, 4);
    EXPECT_GE(static_cast<int>(walk.between.size()), (walk.steps - 1) / 2) << "steps of the walk seen on the screen";
    EXPECT_EQ(walk.end.colours[static_cast<std::size_t>(walk.to)], start.colours[static_cast<std::size_t>(walk.from)]);
    EXPECT_EQ(walk.end.Balls(), 6);
}

namespace {

// The game on a screen of another density, as QT_SCALE_FACTOR makes it: the view in the screen's pixels.
class DenseWindowTest : public RealWindowTest, public ::testing::WithParamInterface<const char*> {
protected:
    QString ScaleFactor() const override { return GetParam(); }
    double Scale() const { return ScaleFactor().toDouble(); }
};

// The share of the 2 x 2 blocks of `area` showing more than one colour, of those not all the colour at its corner.
double MixedBlockShare(const QImage& image, const QRect& area) {
    const QRgb background = image.pixel(area.topLeft());
    int blocks = 0;
    int mixed = 0;
    for (int y = area.top(); y < area.bottom(); y += 2) {
        for (int x = area.left(); x < area.right(); x += 2) {
            const QRgb block[] = {image.pixel(x, y), image.pixel(x + 1, y), image.pixel(x, y + 1),
                                  image.pixel(x + 1, y + 1)};
            if (std::ranges::count(block, background) == 4) continue;
            ++blocks;
            if (std::ranges::count(block, block[0]) != 4) ++mixed;
        }
    }
    return blocks == 0 ? 0 : static_cast<double>(mixed) / blocks;
}

}  // namespace

TEST_P(DenseWindowTest, TheViewIsDrawnAtTheScreensOwnResolution) {
    const BoardReading start = m_reader.Read(
        QImage(QString::fromStdString(GoldenPath())).convertToFormat(QImage::Format_RGB32));
    ASSERT_EQ(start.Balls(), 3);
    if (Scale() == 1) {
        EXPECT_EQ(WaitForView(CompareWithGolden), "");
    } else if (Scale() == 2) {
        // The board as the 2x pictures compose it; texts finer than a doubled 1x picture.
        const QImage board = ExpectedBoard(start.colours, -1, 2);
        EXPECT_EQ(
            WaitForView([&](const QImage& view) { return FirstDifference(view, board, QRect(0, 100, 720, 720)); }), "");
        for (const QRect& text : {QRect(560, 20, 160, 76), QRect(20, 30, 220, 36)})
            EXPECT_GT(MixedBlockShare(m_view, text), 0.5) << "the text at x " << text.x() / 2;
    } else {
        // The 2x composition scaled down smoothly: each cell of the top row and of the left column (empty at the
        // start) looks like its neighbour, so that the lines between them have one width everywhere.
        QImage board(540, 540, QImage::Format_RGB32);
        QPainter painter(&board);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(board.rect(), ExpectedBoard(start.colours, -1, 2));
        const auto difference = [&](const QImage& view) {
            return FirstDifference(view, board, QRect(0, 75, 540, 540), QPoint(0, 0), 8) +
                   FirstDifference(view, view, QRect(60, 75, 480, 60), QPoint(0, 75), 8) +
                   FirstDifference(view, view, QRect(0, 135, 60, 480), QPoint(0, 75), 8);
        };
        EXPECT_EQ(WaitForView(difference), "");
    }
}

INSTANTIATE_TEST_SUITE_P(ScaleFactors, DenseWindowTest, ::testing::Values("1", "1.5", "2"));
