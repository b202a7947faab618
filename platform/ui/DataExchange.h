// Moving values between a dialog's controls and its members: UpdateData
// builds one of these and hands it to DoDataExchange, whose DDX_ calls move
// each value in the direction it names.
#pragma once

#include <string>

#include "platform/ui/WinDefs.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // Marks the exchange as failed (a value could not be taken).
    void Fail() { m_bFailed = TRUE; }

    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
    BOOL m_bFailed = FALSE;
};

// The text of control nIDC as Windows-1251 bytes; a typed character that
// the code page lacks is stored as '?'.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
// The text of control nIDC as a decimal number; fails on anything else.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
