// The turn controller, game over, the records command and remake move.
#include "game/BoardGame.h"

#include <memory>

#include "records/RecordsTable.h"

namespace {

bool IsOnBoard(int boardX, int boardY) {
    return boardX >= 0 && boardX < CBoardGame::kBoardPixels && boardY >= 0 &&
           boardY < CBoardGame::kBoardPixels;
}

}  // namespace

void CBoardGame::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
    const int boardX = point.x;
    const int boardY = point.y - kBoardTop;
    if (!m_bSelected) {
        if (m_bReady && !m_bGameOver) {
            SelectBallAt(boardX, boardY);
            return;
        }
    } else {
        // A point off the board names no cell; it cancels like an unreachable one.
        const bool onBoard = IsOnBoard(boardX, boardY);
        if (onBoard) m_nTo = boardX / m_nCellSize + boardY / m_nCellSize * kColumns;
        if (onBoard && CanMove() && m_nTo != m_nFrom) {
            m_nBoard[m_nTo] = m_nBoard[m_nFrom];
            m_nBoard[m_nFrom] = 0;
            m_nMoveFrom = m_nFrom;
            m_nMoveTo = m_nTo;
            m_bReady = false;
            m_bSelected = false;
            AnimateMove();
        } else if (m_pSelSprite != nullptr) {
            MoveSpriteToCell(m_pSelSprite, m_nFrom);
        }
        m_bSelected = false;
        m_pSelSprite = nullptr;
        DrawAll();
        if (!m_bReady) FinishMove();
    }
    const bool wasOver = m_bGameOver;
    m_bGameOver = IsBoardFull();
    DrawAll();
    if (m_bGameOver && !wasOver) GameOver();
}

void CBoardGame::SelectBallAt(int boardX, int boardY) {
    if (!IsOnBoard(boardX, boardY)) return;
    POSITION position = m_spriteList.GetTailPosition();
    while (position != nullptr) {
        auto* sprite = static_cast<CPhasedSprite*>(m_spriteList.GetPrev(position));
        if (!sprite->HitTest(CPoint(boardX, boardY))) continue;
        m_pSelSprite = sprite;
        m_nFrom = boardX / m_nCellSize + boardY / m_nCellSize * kColumns;
        m_bSelected = true;
        DrawAll();
        return;
    }
}

// After the ball has walked: score a line, or pay for the move with a batch.
void CBoardGame::FinishMove() {
    if (!RemoveLine(true)) {
        InsertBalls();
        for (int index = 0; index < kBatchSize; ++index) m_nLastNext[index] = m_nNext[index];
        Pause(kPauseMilliseconds);
        DrawAll();
        RemoveLine(false);  // a line made by the new balls goes without points
        ChooseNextColours();
        m_bNoUndo = false;
    } else {
        // The moved ball is gone with its line: there is nothing to put back.
        m_bNoUndo = true;
    }
    Pause(kPauseMilliseconds);
    DrawAll();
    m_bReady = true;
}

void CBoardGame::GameOver() {
    if (m_strRecordsFile.empty()) return;
    CRecordsTable records(m_strRecordsFile);
    if (!records.IsRecord(m_nScore)) return;
    const std::string name = AskRecordName();
    records.AddRecord(m_nScore, name.c_str());
    ShowRecords();
}

void CBoardGame::OnScores() {
    ShowRecords();
}

void CBoardGame::OnRemakeMove() {
    // Refused while a ball is selected (the selection may belong to the batch),
    // and when the last turn placed no batch or was already taken back.
    if (m_bNoUndo || m_bSelected || !m_bReady) return;
    m_bReady = false;
    m_bReplayInsert = true;
    for (int index = 0; index < m_nNewCount; ++index) {
        const int cell = CellOf(m_nNewCol[index], m_nNewRow[index]);
        RemoveCellSprite(cell);
        m_nBoard[cell] = 0;
        m_nNext[index] = m_nLastNext[index];
    }
    if (CPhasedSprite* sprite = FindCellSprite(m_nMoveTo)) MoveSpriteToCell(sprite, m_nMoveFrom);
    m_nBoard[m_nMoveFrom] = m_nBoard[m_nMoveTo];
    m_nBoard[m_nMoveTo] = 0;
    DrawAll();
    m_bReady = true;
    m_bNoUndo = true;
}
