// A game whose view side records what the engine asked of it, with helpers to
// lay out boards and click; each test runs in a scratch folder with pictures.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "game/BoardGame.h"
#include "tests/support/Files.h"
#include "tests/support/PictureFixture.h"

using Events = std::vector<std::string>;

class CRecordingGame : public CBoardGame {
public:
    // What the engine asked of the view side, in order: "draw", "pause",
    // "ask" (the name dialog) and "show" (the records dialog).
    Events events;
    // The cell the ball being moved stood on at each redraw during a walk.
    std::vector<int> walk;
    std::string nameAnswer;

    void DrawAll() override;
    void Pause(int milliseconds) override { events.emplace_back(milliseconds == kPauseMilliseconds ? "pause" : "?"); }
    std::string AskRecordName() override;
    void ShowRecords() override { events.emplace_back("show"); }

    // Lays out a board from up to 81 characters ('.' empty, '1'..'6' a ball;
    // blanks are ignored, missing cells are empty), each ball with a real
    // sprite split into its frames as after a redraw.  BoardText() gives it
    // back, a blank between rows, trailing empty rows left out.
    void SetBoard(std::string_view layout);
    std::string BoardText() const;
    void SetNext(int first, int second, int third);
    void SetSeed(std::int32_t seed) { m_nSeed = seed; }
    void SetScore(int score) { m_nScore = score; }
    // Keeps these cells for the next batch, as a remake move would.
    void KeepBatchCells(const std::vector<int>& cells);

    const CPhasedSprite* SelectedSprite() const { return m_pSelSprite; }
    bool ReplayPending() const { return m_bReplayInsert; }
    int NewCell(int index) const { return CellOf(m_nNewCol[index], m_nNewRow[index]); }
    // The cells and colours of the last batch.
    std::vector<std::pair<int, int>> Batch() const;

    // A left click at the centre of a cell, or at a point in view coordinates.
    void Click(int cell) { ClickAt(cell % 9 * 40 + 20, cell / 9 * 40 + 20 + kBoardTop); }
    void ClickAt(int x, int y) { OnLButtonDown(0, CPoint(x, y)); }
    // Select `from`, then click `to`.
    void Move(int from, int to) {
        Click(from);
        Click(to);
    }
    void ClearEvents() {
        events.clear();
        walk.clear();
    }
    int Count(std::string_view event) const;
};

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WritePictureFixture("res1"));
        m_game.SetNext(1, 1, 1);
        m_game.SetSeed(7);  // the same batches on every run
    }
    CScratchFolder m_folder{CScratchFolder::Enter::yes};
    CRecordingGame m_game;
    CRecordingGame& Game() { return m_game; }
};

constexpr int Cell(int column, int row) {
    return column + row * 9;
}
