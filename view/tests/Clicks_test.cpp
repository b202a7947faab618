// Clicks through the window at the game's end.  (The walk on the screen and double clicks are the real-window tests';
// how a selection looks is the key test's; clicks that change nothing are the engine's and the scenarios'.)
#include <QApplication>
#include <QTest>

#include "view/tests/ViewTestSupport.h"

TEST_F(ViewTest, BatchFillingTheBoardEndsTheGameWithCaptionAndDialogsOnce) {
    // Full but for cells 0 and 41; the ball on 40 moves to 41, and the batch of two fills 0 and 40 in colours
    // that make no line: no two neighbours in any direction are equal.
    const auto PatternColour = [](int cell) { return 1 + (cell % 9 + 2 * (cell / 9)) % 6; };
    Board colours{};
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
        QWidget* focused = QApplication::focusWidget();
        if (focused == nullptr) focused = nameDialog;
        QTest::keyClick(focused, Qt::Key_Return);
        // The caption says so behind the dialog.
        const auto [caption, boxes] = DrawBandReference({kNextCaption, kGameOverCaption}, {});
        EXPECT_EQ(FirstDifference(Screen(), caption, boxes.back(), boxes.back().topLeft()), "");
        WhenModalShown([&](QWidget* table) {
            ++recordsDialogs;
            EXPECT_EQ(table->windowTitle(), QString::fromUtf8("  РЕКОРДЫ"));
            PressButton(table, QString::fromUtf8("закрыть"));
        });
    });
    for (const int cell : {40, 41}) ClickClient(View(), CellCentre(cell));
    EXPECT_TRUE(View().IsBoardFull());
    EXPECT_EQ(nameDialogs, 1);
    EXPECT_EQ(recordsDialogs, 1);
    // Enter at once stores the record with an empty name: nine blanks.
    EXPECT_EQ(ReadText("res1/stat.txt").substr(0, 14), std::string("40\0\0\0         ", 14));

    // Later clicks on the full board select nothing and show nothing.
    const ModalWatcher watcher;
    for (const int cell : {10, 20}) ClickClient(View(), CellCentre(cell));
    EXPECT_FALSE(View().IsSelected());
    EXPECT_EQ(watcher.Count(), 0);
}
