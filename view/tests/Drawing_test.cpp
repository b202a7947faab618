// What the view puts on the screen: the board with its balls, the previews,
// the band's texts and captions, and what a pass does when pictures are missing.
#include <filesystem>

#include "platform/ui/WinApi.h"
#include "view/tests/BoardViewTestSupport.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

QRgb WindowColour() {
    const COLORREF colour = GetSysColor(COLOR_WINDOW);
    return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// Every text of the reference must look the same on the screen.
void ExpectTexts(const QImage& screen, const std::vector<BandText>& texts) {
    const BandReference reference = DrawBandReference(texts);
    ASSERT_FALSE(reference.image.isNull());
    for (const QRect& box : reference.boxes) {
        EXPECT_EQ(FirstDifference(screen, reference.image, box, box.topLeft()), "")
            << "text box at (" << box.x() << ", " << box.y() << ")";
    }
}

}  // namespace

TEST_F(ViewTest, FirstPaintShowsBoardPreviewsAndTexts) {
    const QImage screen = Screen();
    ASSERT_EQ(screen.size(), QSize(360, 410));
    EXPECT_EQ(View().Sprites().GetCount(), 3);
    EXPECT_EQ(FirstDifference(screen, ExpectedBoard(), BoardArea()), "");
    for (int index = 0; index < 3; ++index) {
        const QImage preview = LoadPicture(CBoardGame::PreviewFileName(View().Next(index)));
        ASSERT_FALSE(preview.isNull());
        EXPECT_EQ(FirstDifference(screen, preview, QRect(QPoint(120 + 40 * index, 5), preview.size())), "")
            << "preview " << index;
    }
    ExpectTexts(screen, {{280, 10, kScoreLabel, kBlack},
                         {10, 15, kNextCaption, kBlack},
                         {280, 30, kEightBlanks, kRed},
                         {280, 30, "0", kRed}});
    // Nothing is drawn above the previews: the paint's erase shows there.
    EXPECT_TRUE(IsFilledWith(screen, QRect(0, 0, 360, 5), WindowColour()));

    // A redraw from the game gives the same picture as the paint did.
    View().DrawAll();
    EXPECT_EQ(FirstDifference(Screen(), screen, screen.rect()), "");
}

TEST_F(ViewTest, GameOverCaptionAndNewGameDrawOverEachOther) {
    View().SetScore(123);
    View().SetGameOver(true);
    View().DrawAll();
    QImage screen = Screen();
    ExpectTexts(screen, {{10, 15, kNextCaption, kBlack},
                         {10, 15, kGameOverCaption, kBlack},
                         {280, 30, kEightBlanks, kRed},
                         {280, 30, "123", kRed}});
    // The previews stay at game over.
    const QImage preview = LoadPicture(CBoardGame::PreviewFileName(View().Next(0)));
    EXPECT_EQ(FirstDifference(screen, preview, QRect(QPoint(120, 5), preview.size())), "");

    // A new game writes its caption and its zero over the old ones; the
    // caption's trailing blanks and the eight blanks wipe what they cover.
    Command(CBoardView::kCommandNewGame);
    EXPECT_FALSE(View().IsGameOver());
    EXPECT_EQ(View().Score(), 0);
    screen = Screen();
    ExpectTexts(screen, {{10, 15, kNextCaption, kBlack},
                         {10, 15, kGameOverCaption, kBlack},
                         {10, 15, kNextCaption, kBlack},
                         {280, 30, kEightBlanks, kRed},
                         {280, 30, "123", kRed},
                         {280, 30, kEightBlanks, kRed},
                         {280, 30, "0", kRed}});
    EXPECT_EQ(FirstDifference(screen, ExpectedBoard(), BoardArea()), "");
}

TEST_F(ViewTest, MissingPreviewEndsThePassBeforeTheTexts) {
    std::filesystem::remove("res1/2-d.bmp");
    View().SetNext(1, 2, 3);
    Repaint();
    const QImage screen = Screen();
    EXPECT_EQ(FirstDifference(screen, ExpectedBoard(), BoardArea()), "");
    const QImage first = LoadPicture(CBoardGame::PreviewFileName(1));
    EXPECT_EQ(FirstDifference(screen, first, QRect(QPoint(120, 5), first.size())), "");
    EXPECT_TRUE(IsFilledWith(screen, QRect(160, 5, 80, 40), WindowColour())) << "no later preview";
    EXPECT_TRUE(IsFilledWith(screen, QRect(10, 15, 100, 18), WindowColour())) << "no caption";
    EXPECT_TRUE(IsFilledWith(screen, QRect(280, 10, 80, 38), WindowColour())) << "no score";
}

class ViewWithoutPicturesTest : public ViewTest {
protected:
    ScratchRunFolder::Pictures FolderPictures() const override { return ScratchRunFolder::Pictures::none; }
};

TEST_F(ViewWithoutPicturesTest, FirstPaintIsTheWindowColourAndABlackSquare) {
    EXPECT_EQ(View().Sprites().GetCount(), 0);
    QImage expected(360, 410, QImage::Format_RGB32);
    expected.fill(WindowColour());
    // The blank picture a board starts as: 16 x 16 of colour 0, black.
    for (int y = 50; y < 66; ++y) {
        for (int x = 0; x < 16; ++x) expected.setPixel(x, y, qRgb(0, 0, 0));
    }
    const QImage screen = Screen();
    EXPECT_EQ(FirstDifference(screen, expected, expected.rect()), "");
}
