// The built-in player: its idea of reachable cells must be the engine's, or
// the soak test would click on targets the game refuses.
#include "game/GreedyPlayer.h"

#include "game/tests/GameTestSupport.h"
#include "platform/core/Crt.h"

namespace {

TEST_F(GameTest, PlayerReachesExactlyWhatThePathSearchReaches) {
    crt::srand(7);
    CGreedyPlayer::Board board{};
    for (int trial = 0; trial < 40; ++trial) {
        const int density = trial % 8 + 1;  // from sparse to nearly walled in
        for (int& cell : board) cell = crt::rand() % 10 < density ? 1 : 0;
        // Serpentine walls give paths longer than the limit.
        if (trial % 5 == 0) {
            for (int row = 1; row < 9; row += 2) {
                for (int column = 0; column < 9; ++column) board[static_cast<std::size_t>(Cell(column, row))] = 1;
                board[static_cast<std::size_t>(Cell(row % 4 == 1 ? 8 : 0, row))] = 0;
            }
        }
        std::string layout;
        for (const int cell : board) layout.push_back(cell == 0 ? '.' : '1');
        Game().SetBoard(layout);
        for (int from = 0; from < 81; ++from) {
            if (board[static_cast<std::size_t>(from)] == 0) continue;
            const auto distance = CGreedyPlayer::Distances(board, from);
            for (int to = 0; to < 81; ++to) {
                if (board[static_cast<std::size_t>(to)] != 0) continue;
                ASSERT_EQ(distance[static_cast<std::size_t>(to)] >= 0, Game().FindPath(from, to))
                    << "trial " << trial << " from " << from << " to " << to;
            }
        }
    }
}

}  // namespace
