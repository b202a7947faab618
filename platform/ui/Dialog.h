// A modal dialog built from a dialog template of the resources.  Sizes in
// the template are dialog units, turned into pixels from the template's font
// the classic way: a horizontal unit is a quarter of the font's average
// character width, a vertical unit an eighth of its height.  Controls are
// made in template order, which is also the tab order; the first control
// with a tab stop gets the focus, a default push button answers Enter.
// Button IDOK runs OnOK; IDCANCEL, Escape and the close box end the dialog
// with IDCANCEL.  The paint handler draws on the dialog under its controls.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/ui/UiResources.h"
#include "platform/ui/Wnd.h"

class CDialog;

// Moving values between a dialog's controls and its members: UpdateData
// builds one of these and hands it to DoDataExchange.
struct CDataExchange {
    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
};

// The text of edit control nIDC as Windows-1251 bytes; a typed character
// that the code page lacks is stored as '?'.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Shows the dialog and runs its modal loop; IDOK or IDCANCEL, or -1 when
    // the dialog cannot be made.  The owner (the parent, else the main
    // window) takes the keyboard back afterwards.
    virtual int DoModal();

protected:
    void EndDialog(int nResult);
    // Fills the controls (UpdateData(FALSE)); TRUE puts the focus on the
    // first tab stop.
    virtual BOOL OnInitDialog();
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void OnOK();  // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void DoDataExchange(CDataExchange*) {}
    QWidget* MakeOuter(const CREATESTRUCT& cs, QWidget* client) override;

    DECLARE_MESSAGE_MAP()

private:
    friend void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    const DialogTemplate* m_pTemplate = nullptr;
    int m_nModalResult = 0;
    std::vector<std::pair<UINT, QWidget*>> m_controls;  // template order
    QWidget* m_pFirstTabStop = nullptr;
};
