// The turn controller, game over, the records command and remake move.
#include "game/BoardGame.h"

#include <cstdint>
#include <memory>
#include <optional>

#include "records/RecordsTable.h"

namespace {

// The board pixel under a view point, or nothing when the point is off the
// board.  Worked out in 64 bits: a view point may be anywhere in int range.
std::optional<CPoint> BoardPoint(CPoint point) {
    const std::int64_t boardY = std::int64_t{point.y} - CBoardGame::kBoardTop;
    if (point.x < 0 || point.x >= CBoardGame::kBoardPixels || boardY < 0 || boardY >= CBoardGame::kBoardPixels) {
        return std::nullopt;
    }
    return CPoint(point.x, static_cast<int>(boardY));
}

}  // namespace

// A turn takes two clicks: the first selects a ball, the second names the
// cell it is to go to.  Every click that is not a first click ends with the
// game-over check.
void CBoardGame::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
    const std::optional<CPoint> board = BoardPoint(point);
    const bool firstClick = !m_bSelected && m_bReady && !m_bGameOver;
    if (firstClick) {
        SelectBallAt(board);
        return;
    }
    if (m_bSelected) {
        MoveOrCancel(board);
        if (!m_bReady) FinishMove();  // the ball moved: a line or a batch follows
    }
    CheckGameOver();
}

int CBoardGame::CellAt(CPoint boardPoint) const {
    return boardPoint.x / m_nCellSize + boardPoint.y / m_nCellSize * kColumns;
}

// The first click: the ball under the point, if any, is selected and shown highlighted.
void CBoardGame::SelectBallAt(std::optional<CPoint> board) {
    if (!board) return;
    POSITION position = m_spriteList.GetTailPosition();
    while (position != nullptr) {
        auto* sprite = static_cast<CPhasedSprite*>(m_spriteList.GetPrev(position));
        if (!sprite->HitTest(*board)) continue;
        m_pSelSprite = sprite;
        m_nFrom = CellAt(*board);
        m_bSelected = true;
        DrawAll();
        return;
    }
}

// The second click: the selected ball walks to the clicked cell when it can
// get there, else it stays; either way the selection ends.
void CBoardGame::MoveOrCancel(std::optional<CPoint> board) {
    // A point off the board names no cell; it cancels like an unreachable one.
    if (board) m_nTo = CellAt(*board);
    if (board && CanMove() && m_nTo != m_nFrom) {
        m_nBoard[m_nTo] = m_nBoard[m_nFrom];
        m_nBoard[m_nFrom] = 0;
        m_nMoveFrom = m_nFrom;
        m_nMoveTo = m_nTo;
        m_bReady = false;
        m_bSelected = false;
        AnimateMove();  // walks the distances CanMove's path search left in m_nWave
    } else if (m_pSelSprite != nullptr) {
        MoveSpriteToCell(m_pSelSprite, m_nFrom);
    }
    m_bSelected = false;
    m_pSelSprite = nullptr;
    DrawAll();
}

void CBoardGame::CheckGameOver() {
    const bool wasOver = m_bGameOver;
    m_bGameOver = IsBoardFull();
    DrawAll();
    // Only the click that fills the board ends the game; later clicks on
    // the full board show nothing again.
    if (m_bGameOver && !wasOver) GameOver();
}

// After the ball has walked: score a line, or pay for the move with a batch.
void CBoardGame::FinishMove() {
    if (!RemoveLine(true)) {
        BringAnnouncedBalls();
        m_bNoUndo = false;
    } else {
        // A line that took the last balls would leave nothing to move: the
        // announced balls come at once.  Either way the moved ball is gone
        // with its line, so there is nothing to put back.
        if (CountFreeCells() == kCells) BringAnnouncedBalls();
        m_bNoUndo = true;
    }
    Pause(kPauseMilliseconds);
    DrawAll();
    m_bReady = true;
}

void CBoardGame::BringAnnouncedBalls() {
    InsertBalls();
    for (int index = 0; index < kBatchSize; ++index) m_nLastNext[index] = m_nNext[index];
    Pause(kPauseMilliseconds);
    DrawAll();
    RemoveLine(false);  // a line made by the new balls goes without points
    ChooseNextColours();
}

void CBoardGame::GameOver() {
    if (m_strRecordsFile.empty()) return;
    CRecordsTable records(m_strRecordsFile);
    if (!records.IsRecord(m_nScore)) return;
    const std::string name = AskRecordName();
    records.AddRecord(m_nScore, name.c_str());
    ShowRecords();
}

void CBoardGame::OnScores() { ShowRecords(); }

void CBoardGame::OnRemakeMove() {
    // Refused while a ball is selected (the selection may belong to the batch),
    // and when the last turn placed no batch or was already taken back.
    if (m_bNoUndo || m_bSelected || !m_bReady) return;
    m_bReady = false;
    m_bReplayInsert = true;
    // Every colour the batch was to bring is announced again, also those of
    // balls a missing picture kept off the board; only placed balls go.
    for (int index = 0; index < m_nPlannedCount; ++index) m_nNext[index] = m_nLastNext[index];
    for (int index = 0; index < m_nNewCount; ++index) {
        const int cell = CellOf(m_nNewCol[index], m_nNewRow[index]);
        RemoveCellSprite(cell);
        m_nBoard[cell] = 0;
    }
    CPhasedSprite* moved = FindCellSprite(m_nMoveTo);
    if (moved != nullptr) MoveSpriteToCell(moved, m_nMoveFrom);
    m_nBoard[m_nMoveFrom] = m_nBoard[m_nMoveTo];
    m_nBoard[m_nMoveTo] = 0;
    DrawAll();
    m_bReady = true;
    m_bNoUndo = true;
}
