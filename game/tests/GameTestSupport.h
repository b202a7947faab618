// A game whose view side records what the engine asked of it, with helpers to
// lay out boards and click; each test runs in a scratch folder with pictures.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/BoardGame.h"
#include "tests/support/Files.h"
#include "tests/support/PictureFixture.h"

using Events = std::vector<std::string>;

class CRecordingGame : public CBoardGame {
public:
    // What the engine asked of the view side, in order: "draw" and "pause".
    Events events;
    // The cell the ball being moved stood on at each redraw during a walk.
    std::vector<int> walk;

    void DrawAll() override {
        RenderSprites();  // splits new ball pictures into frames, as a real redraw does
        events.emplace_back("draw");
        // During a walk the moved ball is no longer selected but still tracked.
        if (m_pSelSprite != nullptr && !m_bSelected) {
            walk.push_back(CellOf(m_pSelSprite->GetX() / kCellSize, m_pSelSprite->GetY() / kCellSize));
        }
    }
    void Pause(int milliseconds) override { events.emplace_back(milliseconds == kPauseMilliseconds ? "pause" : "?"); }
    std::string AskRecordName() override { return {}; }
    void ShowRecords() override {}

    // Lays out a board from up to 81 characters ('.' empty, '1'..'6' a ball;
    // blanks are ignored, missing cells are empty), each ball with a real
    // sprite split into its frames as after a redraw.
    void SetBoard(std::string_view layout) {
        m_bSelected = false;
        m_pSelSprite = nullptr;
        m_spriteList.RemoveAll();
        std::string cells(layout);
        std::erase(cells, ' ');
        cells.resize(kCells, '.');
        for (int cell = 0; cell < kCells; ++cell) {
            const char character = cells[static_cast<std::size_t>(cell)];
            m_nBoard[cell] = character == '.' ? 0 : character - '0';
            if (m_nBoard[cell] == 0) continue;
            auto sprite = std::make_unique<CPhasedSprite>();
            ASSERT_TRUE(sprite->Load(BallFileName(m_nBoard[cell]).c_str()));
            sprite->SetPosition(cell % kColumns * kCellSize, cell / kColumns * kCellSize);
            m_spriteList.Insert(sprite.release());
        }
        RenderSprites();
    }
    // The board as SetBoard takes it, a blank between rows, trailing empty rows left out.
    std::string BoardText() const {
        std::string text;
        for (int cell = 0; cell < kCells; ++cell) {
            if (cell > 0 && cell % kColumns == 0) text.push_back(' ');
            text.push_back(m_nBoard[cell] == 0 ? '.' : static_cast<char>('0' + m_nBoard[cell]));
        }
        while (text.ends_with(".........")) text.erase(text.size() - std::min<std::size_t>(text.size(), 10));
        return text;
    }
    void SetNext(int first, int second, int third) {
        m_nNext[0] = first;
        m_nNext[1] = second;
        m_nNext[2] = third;
    }
    void SetSeed(std::int32_t seed) { m_nSeed = seed; }
    void SetScore(int score) { m_nScore = score; }
    // Keeps these cells for the next batch, as a remake move would.
    void KeepBatchCells(const std::vector<int>& cells) {
        m_bReplayInsert = true;
        m_nNewCount = static_cast<int>(cells.size());
        for (std::size_t index = 0; index < cells.size(); ++index) {
            m_nNewCol[index] = cells[index] % kColumns;
            m_nNewRow[index] = cells[index] / kColumns;
        }
    }

    const CPhasedSprite* SelectedSprite() const { return m_pSelSprite; }
    bool ReplayPending() const { return m_bReplayInsert; }
    int NewCell(int index) const { return CellOf(m_nNewCol[index], m_nNewRow[index]); }
    // The cells and colours of the last batch.
    std::vector<std::pair<int, int>> Batch() const {
        std::vector<std::pair<int, int>> batch;
        for (int index = 0; index < m_nNewCount; ++index) batch.emplace_back(NewCell(index), Cell(NewCell(index)));
        return batch;
    }

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
