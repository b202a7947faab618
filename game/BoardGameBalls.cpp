// The announced colours and the placing of new balls.
#include "game/BoardGame.h"

#include <algorithm>
#include <memory>

#include "platform/core/Crt.h"

namespace {

constexpr int kReserved = 8;  // marks a cell already taken while a batch is chosen

int RandomDigit() {
    return crt::rand() % 10;
}

}  // namespace

void CBoardGame::AddToSeed(int value) {
    // The seed is a signed 32-bit number whose additions wrap around.
    m_nSeed = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_nSeed) +
                                        static_cast<std::uint32_t>(value));
}

void CBoardGame::ChooseNextColours() {
    crt::srand(static_cast<unsigned int>(m_nSeed));
    for (int& colour : m_nNext) {
        int value = 0;
        do {
            value = RandomDigit();
        } while (value < 1 || value > 6);
        colour = value;
    }
    AddToSeed(crt::rand());
}

void CBoardGame::ChooseCells(int count) {
    std::fill(std::begin(m_nNewCol), std::end(m_nNewCol), 0);
    std::fill(std::begin(m_nNewRow), std::end(m_nNewRow), 0);
    crt::srand(static_cast<unsigned int>(m_nSeed));
    // Never ask for more cells than there are: the random search would not end.
    count = std::clamp(count, 0, std::min(kBatchSize, CountFreeCells()));
    int taken = 0;
    if (count < kBatchSize) {
        // The last few free cells are taken in order, without drawing.
        for (int cell = 0; cell < kCells && taken < count; ++cell) {
            if (m_nBoard[cell] != 0) continue;
            m_nNewCol[taken] = cell % kColumns;
            m_nNewRow[taken] = cell / kColumns;
            ++taken;
        }
        return;
    }
    while (taken < count) {
        const int column = RandomDigit();
        const int row = RandomDigit();
        if (column < kColumns && row < kRows && m_nBoard[CellOf(column, row)] == 0) {
            m_nNewCol[taken] = column;
            m_nNewRow[taken] = row;
            m_nBoard[CellOf(column, row)] = kReserved;
            ++taken;
        }
        AddToSeed(crt::rand());
    }
    for (int& cell : m_nBoard) {
        if (cell == kReserved) cell = 0;
    }
}

void CBoardGame::InsertBalls() {
    m_nNewCount = std::min(kBatchSize, CountFreeCells());
    m_nPlannedCount = m_nNewCount;
    if (!m_bReplayInsert) ChooseCells(m_nNewCount);
    for (int index = 0; index < m_nNewCount; ++index) {
        auto sprite = std::make_unique<CPhasedSprite>();
        if (!sprite->Load(BallFileName(m_nNext[index]).c_str())) {
            // The batch ends here.  Only the balls placed so far count as the
            // batch, so that a remake move takes back exactly those.
            m_nNewCount = index;
            return;
        }
        PlaceBatchBall(index, sprite.release());
    }
    m_bReplayInsert = false;
}

void CBoardGame::PlaceBatchBall(int index, CPhasedSprite* sprite) {
    if (m_bReplayInsert) {
        const int cell = ReplayCell(index);
        m_nNewCol[index] = cell % kColumns;
        m_nNewRow[index] = cell / kColumns;
    }
    const int cell = CellOf(m_nNewCol[index], m_nNewRow[index]);
    m_spriteList.Insert(sprite);
    MoveSpriteToCell(sprite, cell);
    m_nBoard[cell] = m_nNext[index];
}

// The cell for ball `index` of a repeated batch: its kept cell while that is
// still empty, otherwise the first empty cell that no other ball of the batch
// keeps.  There always is one: a batch is never larger than the free cells.
int CBoardGame::ReplayCell(int index) const {
    const auto keptCell = [this](int ball) {
        const int column = m_nNewCol[ball];
        const int row = m_nNewRow[ball];
        if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return -1;
        return CellOf(column, row);
    };
    const int kept = keptCell(index);
    if (kept >= 0 && m_nBoard[kept] == 0) return kept;
    int firstEmpty = -1;
    for (int cell = 0; cell < kCells; ++cell) {
        if (m_nBoard[cell] != 0) continue;
        if (firstEmpty < 0) firstEmpty = cell;
        bool keptForAnother = false;
        for (int ball = 0; ball < m_nNewCount; ++ball) {
            if (ball != index && keptCell(ball) == cell) keptForAnother = true;
        }
        if (!keptForAnother) return cell;
    }
    return firstEmpty;  // not reached while the batch fits the free cells
}
