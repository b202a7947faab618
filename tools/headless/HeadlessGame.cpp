#include "tools/headless/HeadlessGame.h"

#include <ostream>

#include "platform/core/Cp1251.h"
#include "records/RecordRows.h"

namespace {

// A cell in the dump: '.' for an empty cell, the colour's digit for a ball.
char CellCharacter(int value) {
    if (value == 0) return '.';
    if (value >= 1 && value <= 6) return static_cast<char>('0' + value);
    return '?';
}

}  // namespace

CHeadlessGame::CHeadlessGame(Composition composition) : m_composition(composition) {}

void CHeadlessGame::DrawAll() {
    // Without composition the balls are still rendered (into the small blank
    // picture): rendering is what splits a new ball picture into its frames,
    // and the clicks that follow depend on that.
    if (m_composition == Composition::compose) ComposeBoardPicture();
    else RenderSprites();
    ++m_nDraws;
}

void CHeadlessGame::Pause(int /*milliseconds*/) { ++m_nPauses; }

std::string CHeadlessGame::AskRecordName() {
    // Each dialog starts empty: a prepared name serves one dialog only.
    std::string name = m_strNextName;
    m_strNextName.clear();
    return name;
}

void CHeadlessGame::ShowRecords() {
    if (m_pRecordsOutput != nullptr) PrintRecords(*m_pRecordsOutput);
}

bool CHeadlessGame::SaveSnapshot(const std::string& fileName) {
    if (fileName.empty()) return false;  // an empty name would ask for one
    ComposeBoardPicture();
    return m_dibBoard.Save(fileName.c_str()) != FALSE;
}

void CHeadlessGame::Dump(std::ostream& output) const {
    output << "board\n";
    for (int row = 0; row < kRows; ++row) {
        std::string line;
        for (int column = 0; column < kColumns; ++column) {
            line.push_back(CellCharacter(Cell(CellOf(column, row))));
        }
        output << line << '\n';
    }
    output << "score " << Score() << '\n';
    output << "next " << Next(0) << ' ' << Next(1) << ' ' << Next(2) << '\n';
    output << "selected " << (IsSelected() ? 1 : 0) << '\n';
    output << "from " << From() << '\n';
    output << "gameover " << (IsGameOver() ? 1 : 0) << '\n';
    output << "noundo " << (IsRemakeRefused() ? 1 : 0) << '\n';
    output << "draws " << m_nDraws << '\n';
    output << "pauses " << m_nPauses << '\n';
    output << "end\n";
}

void CHeadlessGame::PrintRecords(std::ostream& output) const {
    for (const RecordRow& row : ReadRecordRows(RecordsFile())) {
        output << "record " << Cp1251ToUtf8(row.score) << '|' << Cp1251ToUtf8(row.name) << '|' << Cp1251ToUtf8(row.hour)
               << '|' << Cp1251ToUtf8(row.minute) << '|' << Cp1251ToUtf8(row.day) << '|' << Cp1251ToUtf8(row.month)
               << '|' << Cp1251ToUtf8(row.year) << '\n';
    }
}
