// Test support for the engine: a game whose view side records what the
// engine asked of it, with helpers to lay out boards and click on cells.
// Tests run in a scratch folder whose res1/ holds the fixture pictures.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/BoardGame.h"
#include "tests/support/Files.h"
#include "tests/support/PictureFixture.h"

class CRecordingGame : public CBoardGame {
public:
    // What the engine asked of the view side, in order: "draw", "pause",
    // "ask" (the name dialog) and "show" (the records dialog).
    std::vector<std::string> events;
    // Where the ball being moved stood at each redraw during a walk.
    std::vector<CPoint> walk;
    std::string nameAnswer;

    void DrawAll() override;
    void Pause(int milliseconds) override;
    std::string AskRecordName() override;
    void ShowRecords() override;

    // Lays out a board from 81 characters ('.' empty, '1'..'6' a ball;
    // blanks and line breaks are ignored), each ball with a real sprite,
    // split into its frames as after a redraw.
    void SetBoard(std::string_view layout);
    std::string BoardText() const;
    void SetNext(int first, int second, int third);
    void SetSeed(std::int32_t seed) { m_nSeed = seed; }
    void SetScore(int score) { m_nScore = score; }
    // Keeps these cells for the next batch, as a remake move would.
    void KeepBatchCells(std::vector<int> cells);

    int Wave(int cell) const { return m_nWave[cell % kColumns + 1][cell / kColumns + 1]; }
    const CPhasedSprite* SelectedSprite() const { return m_pSelSprite; }
    bool ReplayPending() const { return m_bReplayInsert; }
    int NewCount() const { return m_nNewCount; }
    int NewCell(int index) const { return CellOf(m_nNewCol[index], m_nNewRow[index]); }
    int NewColour(int index) const { return m_nNext[index]; }

    // A left click at the centre of a cell, in view coordinates.
    void Click(int cell);
    void ClickAt(int x, int y) { OnLButtonDown(0, CPoint(x, y)); }
    // Select `from`, then click `to`.
    void Move(int from, int to);
    void ClearEvents();
    int Count(std::string_view event) const;
};

// Each test runs in its own scratch folder with the fixture pictures.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    CScratchFolder m_folder{CScratchFolder::Enter::yes};
    std::unique_ptr<CRecordingGame> m_game;
    CRecordingGame& Game() { return *m_game; }
};

constexpr int Cell(int column, int row) {
    return column + row * 9;
}
