// A modal dialog built from a dialog template of the resources.  Sizes in
// the template are dialog units, turned into pixels from the template's font
// the classic way: a horizontal unit is a quarter of the font's average
// character width, a vertical unit an eighth of its height.  Controls are
// made in template order, which is also the tab order; the first control
// with a tab stop gets the focus, a default push button answers Enter.
// Button IDOK runs OnOK, IDCANCEL, Escape and the close box run OnCancel.
#pragma once

#include "platform/ui/DataExchange.h"
#include "platform/ui/Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Shows the dialog and runs its modal loop; the value given to
    // EndDialog (IDOK, IDCANCEL), or -1 when the dialog cannot be made.
    virtual int DoModal();
    void EndDialog(int nResult);

    // Runs after the controls exist, before the dialog is shown.  The base
    // fills the controls (UpdateData(FALSE)) and answers TRUE: put the focus
    // on the first tab stop.  Answer FALSE after setting the focus yourself.
    virtual BOOL OnInitDialog();
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Dialog units to pixels with this dialog's font.
    void MapDialogRect(CRect* pRect) const;
    // The font's base units: average character width and height, in pixels.
    CSize GetDialogBaseUnits() const;

    UINT GetTemplateId() const { return m_nIDTemplate; }

protected:
    virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();  // EndDialog(IDCANCEL)
    virtual void DoDataExchange(CDataExchange* pDX);

    DECLARE_MESSAGE_MAP()

private:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    int m_nModalResult = 0;
};
