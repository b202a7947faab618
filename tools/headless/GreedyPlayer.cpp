#include "tools/headless/GreedyPlayer.h"

#include <algorithm>

namespace {

constexpr int kColumns = CBoardGame::kColumns;
constexpr int kRows = CBoardGame::kRows;
constexpr int kLongestPath = 41;
constexpr int kLine = 5;

struct Axis {
    int columnStep;
    int rowStep;
};
constexpr Axis kAxes[] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};

bool Inside(int column, int row) { return column >= 0 && column < kColumns && row >= 0 && row < kRows; }

}  // namespace

std::array<int, CBoardGame::kCells> CGreedyPlayer::Distances(const Board& board, int from) {
    std::array<int, CBoardGame::kCells> distance{};
    distance.fill(-1);
    std::array<int, CBoardGame::kCells> queue{};
    int head = 0;
    int tail = 0;
    distance[static_cast<std::size_t>(from)] = 0;
    queue[static_cast<std::size_t>(tail)] = from;
    ++tail;
    while (head < tail) {
        const int cell = queue[static_cast<std::size_t>(head)];
        ++head;
        const int next = distance[static_cast<std::size_t>(cell)] + 1;
        if (next > kLongestPath) continue;
        const int column = cell % kColumns;
        const int row = cell / kColumns;
        for (const Axis step : {Axis{1, 0}, Axis{-1, 0}, Axis{0, 1}, Axis{0, -1}}) {
            const int nextColumn = column + step.columnStep;
            const int nextRow = row + step.rowStep;
            if (!Inside(nextColumn, nextRow)) continue;
            const auto neighbour = static_cast<std::size_t>(CBoardGame::CellOf(nextColumn, nextRow));
            if (board[neighbour] != 0 || distance[neighbour] >= 0) continue;
            distance[neighbour] = next;
            queue[static_cast<std::size_t>(tail)] = static_cast<int>(neighbour);
            ++tail;
        }
    }
    distance[static_cast<std::size_t>(from)] = -1;  // staying put is no move
    return distance;
}

// Rates a ball of `colour` standing on `target` (the board already shows the
// move): a finished line rates above anything else, longer lines higher;
// otherwise the most balls of the colour in any window of five cells through
// the target that holds nothing else.
int CGreedyPlayer::RateTarget(const Board& board, int target, int colour) {
    const int column = target % kColumns;
    const int row = target / kColumns;
    int bestRun = 0;
    int bestWindow = 0;
    for (const Axis axis : kAxes) {
        int run = 1;
        for (const int sign : {1, -1}) {
            int runColumn = column + sign * axis.columnStep;
            int runRow = row + sign * axis.rowStep;
            while (Inside(runColumn, runRow) &&
                   board[static_cast<std::size_t>(CBoardGame::CellOf(runColumn, runRow))] == colour) {
                ++run;
                runColumn += sign * axis.columnStep;
                runRow += sign * axis.rowStep;
            }
        }
        bestRun = std::max(bestRun, run);
        for (int offset = -(kLine - 1); offset <= 0; ++offset) {
            int count = 0;
            bool open = true;
            for (int index = 0; index < kLine && open; ++index) {
                const int windowColumn = column + (offset + index) * axis.columnStep;
                const int windowRow = row + (offset + index) * axis.rowStep;
                if (!Inside(windowColumn, windowRow)) {
                    open = false;
                    break;
                }
                const int value = board[static_cast<std::size_t>(CBoardGame::CellOf(windowColumn, windowRow))];
                if (value == colour) ++count;
                else if (value != 0) open = false;
            }
            if (open) bestWindow = std::max(bestWindow, count);
        }
    }
    if (bestRun >= kLine) return 1000 + bestRun;
    return bestWindow * 10 + bestRun;
}

std::optional<CGreedyPlayer::Move> CGreedyPlayer::ChooseMove(const Board& board) {
    std::optional<Move> best;
    int bestRating = -1;
    Board trial = board;
    for (int from = 0; from < CBoardGame::kCells; ++from) {
        const int colour = board[static_cast<std::size_t>(from)];
        if (colour == 0) continue;
        const auto distance = Distances(board, from);
        trial[static_cast<std::size_t>(from)] = 0;
        for (int to = 0; to < CBoardGame::kCells; ++to) {
            if (distance[static_cast<std::size_t>(to)] < 0) continue;
            trial[static_cast<std::size_t>(to)] = colour;
            const int rating = RateTarget(trial, to, colour);
            trial[static_cast<std::size_t>(to)] = 0;
            if (rating > bestRating) {
                bestRating = rating;
                best = Move{from, to};
            }
        }
        trial[static_cast<std::size_t>(from)] = colour;
    }
    return best;
}

std::optional<CGreedyPlayer::Move> CGreedyPlayer::ChooseMove(const CBoardGame& game) {
    Board board{};
    for (int cell = 0; cell < CBoardGame::kCells; ++cell) board[static_cast<std::size_t>(cell)] = game.Cell(cell);
    return ChooseMove(board);
}
