// The game itself, without any window: the 9 x 9 board, the announced
// colours, the score, the flags of a turn, the path search, line removal,
// insertion of new balls, the click handler, remake move, new game and game
// over.  The ball sprites live in m_spriteList, which owns them; the board
// picture m_dibBoard is where they are composed for display.
//
// Whatever shows the game derives from this class and supplies the four
// operations of the view side below.  Between operations every non-empty
// cell has exactly one sprite standing on it and no sprite stands on an empty
// cell.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "gfx/DIB.h"
#include "gfx/PhasedSprite.h"
#include "gfx/SpriteList.h"
#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class CBoardGame {
public:
    static constexpr int kColumns = 9;
    static constexpr int kRows = 9;
    static constexpr int kCells = kColumns * kRows;
    static constexpr int kBatchSize = 3;
    static constexpr int kCellSize = 40;
    static constexpr int kBoardTop = 50;  // the board's offset below the top of the view
    static constexpr int kBoardPixels = 360;  // the board's edge in pixels
    static constexpr int kPauseMilliseconds = 80;

    CBoardGame();
    virtual ~CBoardGame();
    CBoardGame(const CBoardGame&) = delete;
    CBoardGame& operator=(const CBoardGame&) = delete;

    // --- the view side ---
    // Redraws everything the player sees, at once.
    virtual void DrawAll() = 0;
    // Blocks for the given time without dispatching anything (the steps of a turn).
    virtual void Pause(int milliseconds) = 0;
    // Runs the name-entry dialog; the typed name in Windows-1251 bytes, empty
    // when the dialog was closed without OK.
    virtual std::string AskRecordName() = 0;
    // Shows the records table, modally.
    virtual void ShowRecords() = 0;

    // --- starting games ---
    void StartGame();
    void OnNewGame();

    // --- the board ---
    int CountFreeCells() const;
    bool IsBoardFull() const;
    CPhasedSprite* FindCellSprite(int cell) const;

    // --- moving a ball ---
    bool CanMove();
    bool FindPath(int source, int target);
    void AnimateMove();

    // --- lines ---
    bool RemoveLine(bool bScore);

    // --- new balls ---
    void ChooseNextColours();
    void ChooseCells(int count);
    void InsertBalls();

    // --- turns and commands ---
    void OnLButtonDown(UINT nFlags, CPoint point);
    void GameOver();
    void OnScores();
    void OnRemakeMove();

    // Reloads the board picture and renders every ball into it: what the
    // player is to see of the board, in m_dibBoard.
    void ComposeBoardPicture();
    void RenderSprites();

    // --- reading the state ---
    int Cell(int cell) const { return m_nBoard[cell]; }
    int Next(int index) const { return m_nNext[index]; }
    int Score() const { return m_nScore; }
    int From() const { return m_nFrom; }
    bool IsSelected() const { return m_bSelected; }
    bool IsGameOver() const { return m_bGameOver; }
    bool IsRemakeRefused() const { return m_bNoUndo; }
    std::int32_t Seed() const { return m_nSeed; }
    const CDIB& BoardPicture() const { return m_dibBoard; }
    const CSpriteList& Sprites() const { return m_spriteList; }

    // True when every non-empty cell has exactly one sprite standing at its
    // pixel position and no sprite stands anywhere else.
    bool SpritesMatchBoard() const;

    // The records file that game over consults; an empty path keeps no
    // records (soak tests).
    void SetRecordsFile(std::string path) { m_strRecordsFile = std::move(path); }
    const std::string& RecordsFile() const { return m_strRecordsFile; }

    static int CellOf(int column, int row) { return column + row * kColumns; }
    static std::string BallFileName(int colour);
    static std::string PreviewFileName(int colour);

protected:
    bool m_bSelected = false;
    bool m_bReplayInsert = false;
    int m_nCellSize = kCellSize;
    CDIB m_dibBoard;
    CSpriteList m_spriteList;
    CPhasedSprite* m_pSelSprite = nullptr;
    int m_nLastNext[kBatchSize] = {};
    int m_nBoard[kCells] = {};
    // The path search's grid, the board framed by a ring of walls: what the
    // last FindPath left is the distance of each cell from its target, and
    // AnimateMove walks those distances downhill.
    int m_nWave[kColumns + 2][kRows + 2] = {};
    int m_nNext[kBatchSize] = {};
    int m_nNewCol[kBatchSize] = {};
    int m_nNewRow[kBatchSize] = {};
    int m_nScore = 0;
    // False while a move or a remake move is carried out.  A second click
    // clears it when, and only when, the ball moves: that is how the click's
    // later steps know that a turn is to be finished.
    bool m_bReady = true;
    bool m_bNoUndo = true;
    bool m_bGameOver = false;
    int m_nFrom = 0;
    int m_nTo = 0;
    int m_nNewCount = 0;
    std::int32_t m_nSeed = 0;

private:
    void AddToSeed(int value);
    int CellAt(CPoint boardPoint) const;
    void SelectBallAt(std::optional<CPoint> boardPoint);
    void MoveOrCancel(std::optional<CPoint> boardPoint);
    void FinishMove();
    void BringAnnouncedBalls();
    void CheckGameOver();
    void PlaceBatchBall(int index, CPhasedSprite* sprite);
    int ReplayCell(int index) const;
    void RemoveCellSprite(int cell);
    void MoveSpriteToCell(CPhasedSprite* sprite, int cell);
    int RunLength(int start, int direction) const;

    // The last move, kept apart from the selection so that later clicks do
    // not change what a remake move puts back.
    int m_nMoveFrom = 0;
    int m_nMoveTo = 0;
    // The balls the last batch was to place; m_nNewCount counts those it
    // placed, which is fewer when a picture was missing.
    int m_nPlannedCount = 0;
    std::string m_strRecordsFile;
};
