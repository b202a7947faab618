// The end of a game as the player meets it: the caption, then the name
// dialog and the records table, once; and the records command.
#include <QLineEdit>
#include <QApplication>
#include <QTest>
#include <fstream>
#include <iterator>

#include "view/tests/BoardViewTestSupport.h"

namespace {

// Colours with no two equal neighbours in any direction, so no line exists.
int PatternColour(int cell) {
    return 1 + (cell % 9 + 2 * (cell / 9)) % 6;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The score and name fields of the first stored record.
std::pair<std::string, std::string> FirstRecord() {
    const std::string table = ReadFile("res1/stat.txt");
    if (table.size() < 30) return {};
    return {std::string(table.c_str(), std::min<std::size_t>(5, std::strlen(table.c_str()))), table.substr(5, 9)};
}

std::string Title(QWidget* window) {
    return window->windowTitle().toStdString();
}

const QString kCloseButton = QString::fromUtf8("закрыть");
const std::string kRecordsTitle = "  РЕКОРДЫ";

}  // namespace

TEST_F(ViewTest, BatchFillingTheBoardEndsTheGameWithCaptionAndDialogsOnce) {
    // Full but for cells 0 and 41; the ball on 40 moves to 41, and the batch
    // of two then fills 0 and 40 in the colours that make no line.
    std::array<int, CBoardGame::kCells> colours{};
    for (int cell = 0; cell < CBoardGame::kCells; ++cell) colours[static_cast<std::size_t>(cell)] = PatternColour(cell);
    colours[0] = 0;
    colours[41] = 0;
    View().SetBoard(colours);
    View().SetNext(PatternColour(0), PatternColour(40), 1);
    View().SetScore(40);
    View().DrawAll();

    int nameDialogs = 0;
    int recordsDialogs = 0;
    WhenModalShown([&](QWidget* nameDialog) {
        ++nameDialogs;
        EXPECT_TRUE(View().IsGameOver());
        EXPECT_EQ(FocusedButtonText(), "OK");
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : nameDialog, Qt::Key_Return);
        EXPECT_FALSE(nameDialog->isVisible());
        // The caption said so behind the dialog.
        const BandReference caption = DrawBandReference({{10, 15, kNextCaption, 0}, {10, 15, kGameOverCaption, 0}});
        const QRect box = caption.boxes.back();
        EXPECT_EQ(FirstDifference(Screen(), caption.image, box, box.topLeft()), "");
        WhenModalShown([&](QWidget* recordsDialog) {
            ++recordsDialogs;
            EXPECT_EQ(Title(recordsDialog), kRecordsTitle);
            PressButton(recordsDialog, kCloseButton);
        });
    });
    ClickClient(View(), CellCentre(40));
    ClickClient(View(), CellCentre(41));
    EXPECT_TRUE(View().IsBoardFull());
    EXPECT_EQ(nameDialogs, 1);
    EXPECT_EQ(recordsDialogs, 1);
    // Enter at once stores the record with an empty name: nine blanks.
    EXPECT_EQ(FirstRecord(), std::make_pair(std::string("40"), std::string(9, ' ')));

    // Later clicks on the full board select nothing and show nothing.
    const ModalWatcher watcher;
    ClickClient(View(), CellCentre(10));
    ClickClient(View(), CellCentre(20));
    EXPECT_FALSE(View().IsSelected());
    EXPECT_EQ(watcher.Count(), 0);
}

TEST_F(ViewTest, NameTypedButClosedByTheCloseBoxIsNotStored) {
    View().SetScore(30);
    WhenModalShown([&](QWidget* nameDialog) {
        auto* edit = nameDialog->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, "Bob");
        nameDialog->close();
        WhenModalShown([&](QWidget* recordsDialog) { PressButton(recordsDialog, kCloseButton); });
    });
    View().GameOver();
    EXPECT_EQ(FirstRecord(), std::make_pair(std::string("30"), std::string(9, ' ')));
}

TEST_F(ViewTest, ScoresCommandShowsTheTableAndLeavesTheGame) {
    const auto colours = BoardColours();
    int shown = 0;
    WhenModalShown([&](QWidget* dialog) {
        ++shown;
        EXPECT_EQ(Title(dialog), kRecordsTitle);
        PressButton(dialog, kCloseButton);
    });
    Command(CBoardView::kCommandScores);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(BoardColours(), colours);
    EXPECT_EQ(View().Draws(), 0);
}
