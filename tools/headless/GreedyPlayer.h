// A simple built-in player for soak tests and benchmarks: it looks at every
// legal move and takes the one that completes the longest line, or else the
// one that best builds towards a line.  Deterministic: equal moves are
// decided by cell order.
#pragma once

#include <array>
#include <optional>

#include "game/BoardGame.h"

class CGreedyPlayer {
public:
    struct Move {
        int from;
        int to;
    };
    using Board = std::array<int, CBoardGame::kCells>;

    // The chosen move, or nothing when no ball can move.
    static std::optional<Move> ChooseMove(const Board& board);
    static std::optional<Move> ChooseMove(const CBoardGame& game);

    // Shortest distances through empty cells from `from` to every cell, -1
    // where a ball stands in the way or the walk would be longer than the
    // game allows (41 steps).
    static std::array<int, CBoardGame::kCells> Distances(const Board& board, int from);

private:
    static int RateTarget(const Board& board, int target, int colour);
};
