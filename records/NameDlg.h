// The name entry shown to a new record holder.  The typed name reaches
// m_strName only through "OK"; closed any other way the name stays empty.
#pragma once

#include <string>

#include "platform/ui/Dialog.h"

class CNameDlg : public CDialog {
public:
    enum { IDD = 149 };
    enum { IDC_NAME = 1001 };

    explicit CNameDlg(CWnd* pParent = nullptr);
    ~CNameDlg() override;

    // Dialog template 149, as the resources carry it.  Its button comes
    // first, so the focus starts on "OK", not in the edit field.
    static DialogTemplate Template();

    // The records file keeps nine bytes of a name.
    static constexpr std::size_t kMaxNameBytes = 9;

    std::string m_strName;  // Windows-1251 bytes

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

    DECLARE_MESSAGE_MAP()
};
