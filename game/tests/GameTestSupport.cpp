#include "game/tests/GameTestSupport.h"

#include <algorithm>
#include <memory>

void CRecordingGame::DrawAll() {
    RenderSprites();  // splits new ball pictures into frames, as a real redraw does
    events.emplace_back("draw");
    // During a walk the moved ball is no longer selected but still tracked.
    if (m_pSelSprite != nullptr && !m_bSelected) {
        walk.push_back(CellOf(m_pSelSprite->GetX() / kCellSize, m_pSelSprite->GetY() / kCellSize));
    }
}

std::string CRecordingGame::AskRecordName() {
    events.emplace_back("ask");
    return nameAnswer;
}

void CRecordingGame::SetBoard(std::string_view layout) {
    m_bSelected = false;
    m_pSelSprite = nullptr;
    m_spriteList.RemoveAll();
    std::string cells(layout);
    std::erase(cells, ' ');
    ASSERT_LE(cells.size(), std::size_t{kCells}) << "layout too long";
    cells.resize(kCells, '.');
    for (int cell = 0; cell < kCells; ++cell) {
        const char character = cells[static_cast<std::size_t>(cell)];
        m_nBoard[cell] = character == '.' ? 0 : character - '0';
        ASSERT_TRUE(m_nBoard[cell] >= 0 && m_nBoard[cell] <= 6) << "bad layout character " << character;
        if (m_nBoard[cell] == 0) continue;
        auto sprite = std::make_unique<CPhasedSprite>();
        ASSERT_TRUE(sprite->Load(BallFileName(m_nBoard[cell]).c_str()));
        sprite->SetPosition(cell % kColumns * kCellSize, cell / kColumns * kCellSize);
        m_spriteList.Insert(sprite.release());
    }
    RenderSprites();
}

std::string CRecordingGame::BoardText() const {
    std::string text;
    for (int cell = 0; cell < kCells; ++cell) {
        if (cell > 0 && cell % kColumns == 0) text.push_back(' ');
        text.push_back(m_nBoard[cell] == 0 ? '.' : static_cast<char>('0' + m_nBoard[cell]));
    }
    while (text.ends_with(".........")) text.erase(text.size() - std::min<std::size_t>(text.size(), 10));
    return text;
}

void CRecordingGame::SetNext(int first, int second, int third) {
    m_nNext[0] = first;
    m_nNext[1] = second;
    m_nNext[2] = third;
}

void CRecordingGame::KeepBatchCells(const std::vector<int>& cells) {
    m_bReplayInsert = true;
    m_nNewCount = static_cast<int>(cells.size());
    for (std::size_t index = 0; index < cells.size(); ++index) {
        m_nNewCol[index] = cells[index] % kColumns;
        m_nNewRow[index] = cells[index] / kColumns;
    }
}

std::vector<std::pair<int, int>> CRecordingGame::Batch() const {
    std::vector<std::pair<int, int>> batch;
    for (int index = 0; index < m_nNewCount; ++index) batch.emplace_back(NewCell(index), Cell(NewCell(index)));
    return batch;
}

int CRecordingGame::Count(std::string_view event) const {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
}
