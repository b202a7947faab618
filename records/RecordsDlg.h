// The records dialog: the table of the ten best results, drawn by hand in
// the dialog's client area from the records file, read afresh on every
// paint.  Holds nothing but the file's path; it also answers the records
// questions of a finished game by handing them to the table.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/Dialog.h"
#include "records/RecordLayout.h"

class CRecordsDlg : public CDialog {
public:
    enum { IDD = 148 };

    explicit CRecordsDlg(CWnd* pParent = nullptr, std::string recordsFile = records::kDefaultPath);
    ~CRecordsDlg() override;

    // Dialog template 148, as the resources carry it.
    static DialogTemplate Template();

    bool IsRecord(int score) const;
    bool AddRecord(int score, const char* name) const;
    static void WriteRecord(std::vector<BYTE>& file, std::size_t position, int score, const char* name);

    // Where the rows start and how far apart they are, and where each field
    // of a row is written.
    static constexpr int kRowPitch = 25;
    static constexpr int kScoreX = 10;
    static constexpr int kNameX = 50;
    static constexpr int kHourX = 130;
    static constexpr int kMinuteX = 150;
    static constexpr int kDayX = 180;
    static constexpr int kMonthX = 200;
    static constexpr int kYearX = 220;

protected:
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    std::string m_strRecordsFile;
};
