#include "records/NameDlg.h"

BEGIN_MESSAGE_MAP(CNameDlg, CDialog)
ON_WM_CREATE()
END_MESSAGE_MAP()

CNameDlg::CNameDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CNameDlg::~CNameDlg() = default;

DialogTemplate CNameDlg::Template() {
    return rc::Dialog(
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 166, 63, "", 9, "Arial",
        {rc::DefPushButton("OK", IDOK, 54, 42, 50, 14), rc::EditText(IDC_NAME, 7, 26, 141, 14, ES_AUTOHSCROLL),
         // "Введите, пожайлуста, свое имя"
         rc::LText("\xC2\xE2\xE5\xE4\xE8\xF2\xE5, \xEF\xEE\xE6\xE0\xE9\xEB\xF3\xF1\xF2\xE0, "
                   "\xF1\xE2\xEE\xE5 \xE8\xEC\xFF",
                   IDC_STATIC, 25, 17, 110, 8),
         // "ПОЗДРАВЛЯЮ! ВЫ - РЕКОРДСМЕН!"
         rc::LText("\xCF\xCE\xC7\xC4\xD0\xC0\xC2\xCB\xDF\xDE! \xC2\xDB - "
                   "\xD0\xC5\xCA\xCE\xD0\xC4\xD1\xCC\xC5\xCD!",
                   IDC_STATIC, 19, 7, 128, 8)});
}

void CNameDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NAME, m_strName);
    // Only nine bytes fit in a record; cut here so that what is stored is
    // exactly what the caller holds.
    if (pDX->m_bSaveAndValidate && m_strName.size() > kMaxNameBytes) m_strName.resize(kMaxNameBytes);
}

int CNameDlg::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CDialog::OnCreate(lpCreateStruct) == -1) return -1;
    return 0;
}
