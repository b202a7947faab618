#include "game/BoardGame.h"

#include <algorithm>
#include <memory>

#include "platform/core/Crt.h"
#include "records/RecordLayout.h"

CBoardGame::CBoardGame() : m_strRecordsFile(records::kDefaultPath) {
    // Like the C runtime's time(): the low 32 bits of the calendar time.
    m_nSeed = static_cast<std::int32_t>(static_cast<std::uint32_t>(crt::time()));
}

CBoardGame::~CBoardGame() {
    m_pSelSprite = nullptr;
    m_spriteList.RemoveAll();
}

void CBoardGame::StartGame() {
    ChooseNextColours();
    InsertBalls();
    ChooseNextColours();
}

void CBoardGame::OnNewGame() {
    // The selected sprite dies with the others, so the selection goes first.
    m_bSelected = false;
    m_pSelSprite = nullptr;
    m_spriteList.RemoveAll();
    m_nScore = 0;
    m_bGameOver = false;
    m_bNoUndo = true;
    m_nSeed = static_cast<std::int32_t>(static_cast<std::uint32_t>(crt::time()));
    ChooseNextColours();
    std::fill(std::begin(m_nBoard), std::end(m_nBoard), 0);
    InsertBalls();
    DrawAll();
}

int CBoardGame::CountFreeCells() const {
    return static_cast<int>(std::count(std::begin(m_nBoard), std::end(m_nBoard), 0));
}

bool CBoardGame::IsBoardFull() const { return CountFreeCells() == 0; }

CPhasedSprite* CBoardGame::FindCellSprite(int cell) const {
    if (cell < 0 || cell >= kCells) return nullptr;
    const int x = cell % kColumns * m_nCellSize + m_nCellSize / 2;
    const int y = cell / kColumns * m_nCellSize + m_nCellSize / 2;
    // From the tail: the sprite drawn last, on top, answers first.
    POSITION position = m_spriteList.GetTailPosition();
    while (position != nullptr) {
        auto* sprite = static_cast<CPhasedSprite*>(m_spriteList.GetPrev(position));
        if (sprite->HitTest(CPoint(x, y))) return sprite;
    }
    return nullptr;
}

void CBoardGame::RemoveCellSprite(int cell) {
    CPhasedSprite* sprite = FindCellSprite(cell);
    if (sprite == nullptr) return;
    if (sprite == m_pSelSprite) m_pSelSprite = nullptr;
    std::unique_ptr<CObject> removed(m_spriteList.Remove(sprite));
}

void CBoardGame::MoveSpriteToCell(CPhasedSprite* sprite, int cell) {
    sprite->SetPosition(cell % kColumns * m_nCellSize, cell / kColumns * m_nCellSize);
}

std::string CBoardGame::BallFileName(int colour) { return "res1/" + std::to_string(colour) + ".bmp"; }

std::string CBoardGame::PreviewFileName(int colour) { return "res1/" + std::to_string(colour) + "-d.bmp"; }

void CBoardGame::ComposeBoardPicture() {
    // A failed load keeps the previous composition; the balls go over it.
    m_dibBoard.Load("res1/pole.bmp");
    RenderSprites();
}

void CBoardGame::RenderSprites() {
    CRect clip;
    m_dibBoard.GetRect(&clip);
    POSITION position = m_spriteList.GetHeadPosition();
    while (position != nullptr) {
        auto* sprite = static_cast<CPhasedSprite*>(m_spriteList.GetNext(position));
        // Each ball picture holds its plain and its selected look side by side.
        sprite->SetNumCellColumns(2);
        sprite->SetNumCellRows(1);
        const bool selected = m_bSelected && m_pSelSprite != nullptr && sprite == m_pSelSprite;
        sprite->SetCellColumn(selected ? 1 : 0);
        sprite->Render(&m_dibBoard, &clip);
    }
}

bool CBoardGame::SpritesMatchBoard() const {
    bool covered[kCells] = {};
    int spriteCount = 0;
    POSITION position = m_spriteList.GetHeadPosition();
    while (position != nullptr) {
        const auto* sprite = static_cast<const CPhasedSprite*>(m_spriteList.GetNext(position));
        ++spriteCount;
        const int x = sprite->GetX();
        const int y = sprite->GetY();
        if (x < 0 || y < 0 || x % m_nCellSize != 0 || y % m_nCellSize != 0) return false;
        const int column = x / m_nCellSize;
        const int row = y / m_nCellSize;
        if (column >= kColumns || row >= kRows) return false;
        const int cell = CellOf(column, row);
        if (covered[cell] || m_nBoard[cell] == 0) return false;
        covered[cell] = true;
    }
    return spriteCount == kCells - CountFreeCells();
}

// --- the announced colours and the placing of new balls ---

namespace {

constexpr int kReserved = 8;  // marks a cell already taken while a batch is chosen

int RandomDigit() { return crt::rand() % 10; }

}  // namespace

void CBoardGame::AddToSeed(int value) {
    // The seed is a signed 32-bit number whose additions wrap around.
    m_nSeed = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_nSeed) + static_cast<std::uint32_t>(value));
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
