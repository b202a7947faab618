// Path search, the walk of a moving ball, and line removal.
#include "game/BoardGame.h"

#include <cassert>
#include <climits>

namespace {

// Values of the wave grid.
constexpr int kWall = 255;
constexpr int kUnvisited = 254;
constexpr int kSource = 253;
constexpr int kLongestPath = 41;  // a target further away counts as unreachable

struct GridStep {
    int column;
    int row;
};

// The search spreads right, left, up, down; the walk compares left, right,
// up, down.  Both orders decide which of several shortest paths is taken.
constexpr GridStep kSpreadOrder[] = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}};
constexpr GridStep kWalkOrder[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};

struct LineDirection {
    int step;
    bool stopsAtLastColumn;
    bool stopsAtFirstColumn;
    bool stopsAtLastRow;
};

// In scan order: right, down, down-right, down-left.
constexpr LineDirection kLineDirections[] = {
    {1, true, false, false},
    {9, false, false, true},
    {10, true, false, true},
    {8, false, true, true},
};

constexpr int kShortestLine = 5;

}  // namespace

bool CBoardGame::CanMove() {
    if (m_nTo < 0 || m_nTo >= kCells || m_nBoard[m_nTo] != 0) return false;
    return FindPath(m_nFrom, m_nTo);
}

bool CBoardGame::FindPath(int source, int target) {
    if (source < 0 || source >= kCells || target < 0 || target >= kCells) return false;
    for (int column = 0; column < kColumns + 2; ++column) {
        for (int row = 0; row < kRows + 2; ++row) {
            const bool ring = column == 0 || row == 0 || column == kColumns + 1 || row == kRows + 1;
            const bool ball = !ring && m_nBoard[CellOf(column - 1, row - 1)] != 0;
            m_nWave[column][row] = ring || ball ? kWall : kUnvisited;
        }
    }
    m_nWave[source % kColumns + 1][source / kColumns + 1] = kSource;
    m_nWave[target % kColumns + 1][target / kColumns + 1] = 0;

    // Each sweep carries the wave one step further, so every number written
    // is the distance to the target.  The ring of walls means no neighbour
    // read needs a bounds test: only inner cells ever hold a distance.
    for (int distance = 0; distance < kLongestPath; ++distance) {
        for (int column = 0; column < kColumns + 2; ++column) {
            for (int row = 0; row < kRows + 2; ++row) {
                if (m_nWave[column][row] != distance) continue;
                for (const GridStep& step : kSpreadOrder) {
                    int& neighbour = m_nWave[column + step.column][row + step.row];
                    if (neighbour == kUnvisited) neighbour = distance + 1;
                    if (neighbour == kSource) return true;
                }
            }
        }
    }
    return false;
}

// Walks m_pSelSprite from m_nFrom to m_nTo along the distances that the last
// FindPath left in m_nWave, which must have been the search for this move and
// must have found the way: from the source every cell has a neighbour one
// step nearer the target.
void CBoardGame::AnimateMove() {
    int column = m_nFrom % kColumns + 1;
    int row = m_nFrom / kColumns + 1;
    int value = m_nWave[column][row];
    assert(value == kSource);
    // Each step goes strictly downhill, so the walk ends within kSource steps
    // and never reaches the ring of walls.
    while (value != 0) {
        int bestColumn = column;
        int bestRow = row;
        int bestValue = value;
        for (const GridStep& step : kWalkOrder) {
            const int neighbour = m_nWave[column + step.column][row + step.row];
            if (neighbour < bestValue) {
                bestValue = neighbour;
                bestColumn = column + step.column;
                bestRow = row + step.row;
            }
        }
        assert(bestValue < value);
        if (bestValue == value) return;  // without asserts: stop rather than loop for ever
        column = bestColumn;
        row = bestRow;
        value = bestValue;
        if (m_pSelSprite != nullptr) MoveSpriteToCell(m_pSelSprite, CellOf(column - 1, row - 1));
        Pause(kPauseMilliseconds);
        DrawAll();
    }
    assert(CellOf(column - 1, row - 1) == m_nTo);
}

int CBoardGame::RunLength(int start, int direction) const {
    const int colour = m_nBoard[start];
    if (colour == 0) return 0;
    const LineDirection& line = kLineDirections[direction];
    int length = 1;
    int cell = start;
    while (true) {
        const int column = cell % kColumns;
        const int row = cell / kColumns;
        if (line.stopsAtLastColumn && column == kColumns - 1) break;
        if (line.stopsAtFirstColumn && column == 0) break;
        if (line.stopsAtLastRow && row == kRows - 1) break;
        cell += line.step;
        if (m_nBoard[cell] != colour) break;
        ++length;
    }
    return length;
}

bool CBoardGame::RemoveLine(bool bScore) {
    for (int start = 0; start < kCells; ++start) {
        for (int direction = 0; direction < 4; ++direction) {
            const int length = RunLength(start, direction);
            if (length < kShortestLine) continue;
            const int step = kLineDirections[direction].step;
            for (int index = 0; index < length; ++index) {
                const int cell = start + index * step;
                m_nBoard[cell] = 0;
                RemoveCellSprite(cell);
            }
            const int points = 4 * length - 10;
            // A score cannot grow past the largest int, however long a game runs.
            if (bScore) m_nScore = m_nScore <= INT_MAX - points ? m_nScore + points : INT_MAX;
            return true;
        }
    }
    return false;
}
