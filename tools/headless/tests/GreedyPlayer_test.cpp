// The built-in player: its idea of reachable cells must be the engine's, or
// the soak test would click on targets the game refuses.
#include "tools/headless/GreedyPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/core/Crt.h"
#include "tools/headless/HeadlessGame.h"

namespace {

class CBoardProbe : public CHeadlessGame {
public:
    void SetBoard(const CGreedyPlayer::Board& board) { std::copy(board.begin(), board.end(), m_nBoard); }
};

TEST(GreedyPlayer, ReachesExactlyWhatThePathSearchReaches) {
    CBoardProbe game;
    CGreedyPlayer::Board board{};
    crt::srand(7);
    for (int trial = 0; trial < 40; ++trial) {
        const int density = trial % 8 + 1;  // from sparse to nearly walled in
        for (int& cell : board) cell = crt::rand() % 10 < density ? 1 : 0;
        if (trial % 5 == 0) {  // serpentine walls: paths longer than the limit
            for (std::size_t row = 1; row < 9; row += 2) {
                const std::size_t gap = row % 4 == 1 ? 8 : 0;
                for (std::size_t column = 0; column < 9; ++column) board[row * 9 + column] = column != gap;
            }
        }
        game.SetBoard(board);
        for (std::size_t from = 0; from < board.size(); ++from) {
            if (board[from] == 0) continue;
            const auto distance = CGreedyPlayer::Distances(board, static_cast<int>(from));
            for (std::size_t to = 0; to < board.size(); ++to) {
                if (board[to] != 0) continue;
                ASSERT_EQ(distance[to] >= 0, game.FindPath(static_cast<int>(from), static_cast<int>(to)))
                    << "trial " << trial << " from " << from << " to " << to;
            }
        }
    }
}

}  // namespace
