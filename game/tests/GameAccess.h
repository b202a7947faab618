// A game of either kind, the engine alone or the view, whose state a test sets and reads directly.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "game/BoardGame.h"

using Board = std::array<int, CBoardGame::kCells>;

template <class Game>
class CGameAccess : public Game {
public:
    // What the game asked of the view side, in order and separated by blanks: "P" a pause of 80 ms (recorded, not
    // slept), and what the test's DrawAll records for a redraw.
    std::string seen;

    void Pause(int milliseconds) override {
        Record(milliseconds == CBoardGame::kPauseMilliseconds ? "P" : "P" + std::to_string(milliseconds));
    }
    // The board in these colours (0 empty), each ball a real sprite; nothing selected.
    void SetBoard(const Board& colours) {
        this->m_bSelected = false;
        this->m_pSelSprite = nullptr;
        this->m_spriteList.RemoveAll();
        for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
            const int colour = colours[static_cast<std::size_t>(cell)];
            this->m_nBoard[cell] = colour;
            if (colour == 0) continue;
            auto sprite = std::make_unique<CPhasedSprite>();
            ASSERT_TRUE(sprite->Load(CBoardGame::BallFileName(colour).c_str()));
            sprite->SetPosition(cell % CBoardGame::kColumns * CBoardGame::kCellSize,
                                cell / CBoardGame::kColumns * CBoardGame::kCellSize);
            ASSERT_TRUE(this->m_spriteList.Insert(sprite.release()));
        }
    }
    Board Colours() const { return std::to_array(this->m_nBoard); }
    void SetNext(int first, int second, int third) {
        this->m_nNext[0] = first;
        this->m_nNext[1] = second;
        this->m_nNext[2] = third;
    }
    void SetScore(int score) { this->m_nScore = score; }
    const CPhasedSprite* SelectedSprite() const { return this->m_pSelSprite; }

protected:
    void Record(const std::string& event) {
        if (!seen.empty()) seen += ' ';
        seen += event;
    }
};
