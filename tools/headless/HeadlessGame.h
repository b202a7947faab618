// The game with real sprites and pictures but no window: a redraw composes
// the board picture exactly as the window would (board file reloaded, balls
// rendered, the selected ball in its second frame) and is counted; pauses are
// counted, not slept; the name dialog answers with a prepared text; the
// records dialog prints its rows only when asked to.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "game/BoardGame.h"

class CHeadlessGame : public CBoardGame {
public:
    // skip: redraws leave the board file unread (for measuring the engine).
    enum class Composition { compose, skip };

    explicit CHeadlessGame(Composition composition = Composition::compose);

    void DrawAll() override;
    void Pause(int milliseconds) override;
    std::string AskRecordName() override;
    void ShowRecords() override;

    // The Windows-1251 text that the next name dialog returns on OK.
    void SetNextName(std::string name) { m_strNextName = std::move(name); }
    // Where the records dialog prints its rows; null shows them silently.
    void SetRecordsOutput(std::ostream* output) { m_pRecordsOutput = output; }

    // Composes the board picture and writes it as a BMP file; no redraw is
    // counted.  False when the file cannot be written.
    bool SaveSnapshot(const std::string& fileName);

    // The state as the driver's dump prints it.
    void Dump(std::ostream& output) const;
    // One line per row that the records dialog draws.
    void PrintRecords(std::ostream& output) const;

    std::int64_t Draws() const { return m_nDraws; }
    std::int64_t Pauses() const { return m_nPauses; }

private:
    Composition m_composition;
    std::int64_t m_nDraws = 0;
    std::int64_t m_nPauses = 0;
    std::string m_strNextName;
    std::ostream* m_pRecordsOutput = nullptr;
};
