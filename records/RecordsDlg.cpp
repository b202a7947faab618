#include "records/RecordsDlg.h"

#include "platform/ui/DC.h"
#include "platform/ui/WinApi.h"
#include "records/RecordRows.h"
#include "records/RecordsTable.h"

namespace {

void DrawField(CPaintDC& dc, int x, int y, const std::string& text) {
    dc.TextOutA(x, y, text.data(), static_cast<int>(text.size()));
}

}  // namespace

BEGIN_MESSAGE_MAP(CRecordsDlg, CDialog)
ON_WM_PAINT()
END_MESSAGE_MAP()

CRecordsDlg::CRecordsDlg(CWnd* pParent, std::string recordsFile)
    : CDialog(IDD, pParent), m_strRecordsFile(std::move(recordsFile)) {}

CRecordsDlg::~CRecordsDlg() = default;

DialogTemplate CRecordsDlg::Template() {
    // "  РЕКОРДЫ" and "закрыть"
    return rc::Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 169, 198,
                      "  \xD0\xC5\xCA\xCE\xD0\xC4\xDB", 9, "Arial",
                      {rc::DefPushButton("\xE7\xE0\xEA\xF0\xFB\xF2\xFC", IDOK, 57, 177, 50, 14)});
}

bool CRecordsDlg::IsRecord(int score) const { return CRecordsTable(m_strRecordsFile).IsRecord(score); }

bool CRecordsDlg::AddRecord(int score, const char* name) const {
    return CRecordsTable(m_strRecordsFile).AddRecord(score, name);
}

void CRecordsDlg::WriteRecord(std::vector<BYTE>& file, std::size_t position, int score, const char* name) {
    CRecordsTable::WriteRecord(file, position, score, name);
}

void CRecordsDlg::OnPaint() {
    CPaintDC dc(this);
    CFont font;
    CFont* previousFont = nullptr;
    if (font.CreateFontA(18, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial")) {
        previousFont = dc.SelectObject(&font);
    }
    dc.SetBkColor(GetSysColor(COLOR_MENU));

    // The file is read on every paint, so the table always shows what is stored.
    int y = 0;
    for (const RecordRow& row : ReadRecordRows(m_strRecordsFile)) {
        y += kRowPitch;
        DrawField(dc, kScoreX, y, row.score);
        DrawField(dc, kNameX, y, row.name);
        DrawField(dc, kHourX, y, row.hour);
        DrawField(dc, kMinuteX, y, row.minute);
        DrawField(dc, kDayX, y, row.day);
        DrawField(dc, kMonthX, y, row.month);
        DrawField(dc, kYearX, y, row.year);
    }

    if (previousFont != nullptr) dc.SelectObject(previousFont);
    font.DeleteObject();
}
