#include "game/tests/GameTestSupport.h"

#include <algorithm>

void CRecordingGame::DrawAll() {
    RenderSprites();  // splits new ball pictures into frames, as a real redraw does
    events.emplace_back("draw");
    if (m_pSelSprite != nullptr && !m_bSelected) walk.emplace_back(m_pSelSprite->GetX(), m_pSelSprite->GetY());
}

void CRecordingGame::Pause(int milliseconds) {
    events.emplace_back(milliseconds == kPauseMilliseconds ? "pause" : "pause?");
}

std::string CRecordingGame::AskRecordName() {
    events.emplace_back("ask");
    return nameAnswer;
}

void CRecordingGame::ShowRecords() {
    events.emplace_back("show");
}

void CRecordingGame::SetBoard(std::string_view layout) {
    m_bSelected = false;
    m_pSelSprite = nullptr;
    m_spriteList.RemoveAll();
    int cell = 0;
    for (const char character : layout) {
        if (character == ' ' || character == '\n') continue;
        ASSERT_LT(cell, kCells) << "layout too long";
        const int colour = character == '.' ? 0 : character - '0';
        ASSERT_TRUE(colour >= 0 && colour <= 6) << "bad layout character " << character;
        m_nBoard[cell] = colour;
        if (colour != 0) {
            auto sprite = std::make_unique<CPhasedSprite>();
            ASSERT_TRUE(sprite->Load(BallFileName(colour).c_str()));
            CPhasedSprite* placed = sprite.release();
            m_spriteList.Insert(placed);
            placed->SetPosition(cell % kColumns * kCellSize, cell / kColumns * kCellSize);
        }
        ++cell;
    }
    ASSERT_EQ(cell, kCells) << "layout too short";
    RenderSprites();
}

std::string CRecordingGame::BoardText() const {
    std::string text;
    for (int cell = 0; cell < kCells; ++cell) {
        text.push_back(m_nBoard[cell] == 0 ? '.' : static_cast<char>('0' + m_nBoard[cell]));
        if (cell % kColumns == kColumns - 1 && cell != kCells - 1) text.push_back(' ');
    }
    return text;
}

void CRecordingGame::SetNext(int first, int second, int third) {
    m_nNext[0] = first;
    m_nNext[1] = second;
    m_nNext[2] = third;
}

void CRecordingGame::KeepBatchCells(std::vector<int> cells) {
    m_bReplayInsert = true;
    m_nNewCount = static_cast<int>(cells.size());
    for (std::size_t index = 0; index < cells.size(); ++index) {
        m_nNewCol[index] = cells[index] % kColumns;
        m_nNewRow[index] = cells[index] / kColumns;
    }
}

void CRecordingGame::Click(int cell) {
    ClickAt(cell % kColumns * kCellSize + kCellSize / 2, cell / kColumns * kCellSize + kCellSize / 2 + kBoardTop);
}

void CRecordingGame::Move(int from, int to) {
    Click(from);
    Click(to);
}

void CRecordingGame::ClearEvents() {
    events.clear();
    walk.clear();
}

int CRecordingGame::Count(std::string_view event) const {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
}

void GameTest::SetUp() {
    ASSERT_FALSE(m_folder.Path().empty());
    ASSERT_TRUE(WritePictureFixture("res1"));
    m_game = std::make_unique<CRecordingGame>();
}
