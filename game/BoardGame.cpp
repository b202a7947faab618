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

bool CBoardGame::IsBoardFull() const {
    return CountFreeCells() == 0;
}

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

std::string CBoardGame::BallFileName(int colour) {
    return "res1/" + std::to_string(colour) + ".bmp";
}

std::string CBoardGame::PreviewFileName(int colour) {
    return "res1/" + std::to_string(colour) + "-d.bmp";
}

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
