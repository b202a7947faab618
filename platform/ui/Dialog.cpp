#include "platform/ui/Dialog.h"

#include <QDialog>
#include <QLineEdit>

#include "platform/ui/DialogLayout.h"
#include "platform/ui/QtText.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WndImpl.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {
constexpr int kNotEnded = -2;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {
    Impl()->kind = ui_detail::WindowKind::dialog;
}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
    const DialogTemplate* dialogTemplate = FindDialogResource(m_nIDTemplate);
    if (dialogTemplate == nullptr || m_hWnd != nullptr) return -1;
    Impl()->dialogTemplate = dialogTemplate;
    CWnd* owner = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    m_nModalResult = kNotEnded;
    if (!CreateEx(dialogTemplate->exStyle, nullptr, dialogTemplate->caption.c_str(), dialogTemplate->style & ~WS_VISIBLE,
                  dialogTemplate->x, dialogTemplate->y, dialogTemplate->cx, dialogTemplate->cy,
                  owner == nullptr ? nullptr : owner->GetSafeHwnd(), nullptr))
        return -1;
    if (OnInitDialog()) Impl()->FocusFirstTabStop();
    if (m_nModalResult == kNotEnded && m_hWnd != nullptr) {
        auto* dialog = static_cast<QDialog*>(Impl()->outer.data());
        dialog->exec();
    }
    if (m_hWnd != nullptr) DestroyWindow();
    // The owner takes the keyboard back, as it would from the platform's
    // window manager; without one nothing would have the focus.
    if (owner != nullptr && owner->Impl()->Exists() && owner->Impl()->outer->isWindow())
        owner->Impl()->outer->activateWindow();
    return m_nModalResult == kNotEnded ? IDCANCEL : m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (auto* dialog = qobject_cast<QDialog*>(Impl()->outer.data())) dialog->done(nResult);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return exchange.m_bFailed ? FALSE : TRUE;
}

void CDialog::MapDialogRect(CRect* pRect) const {
    if (pRect == nullptr) return;
    const QRect pixels = ui_detail::DialogUnitsToPixels(QRect(pRect->left, pRect->top, pRect->Width(), pRect->Height()),
                                                        GetDialogBaseUnits());
    *pRect = CRect(pixels.left(), pixels.top(), pixels.left() + pixels.width(), pixels.top() + pixels.height());
}

CSize CDialog::GetDialogBaseUnits() const {
    const DialogTemplate* dialogTemplate = FindDialogResource(m_nIDTemplate);
    if (dialogTemplate == nullptr) return CSize{};
    return ui_detail::DialogBaseUnits(ui_detail::DialogFont(*dialogTemplate));
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

namespace {

QLineEdit* EditOf(CDataExchange* pDX, int nIDC) {
    if (pDX == nullptr || pDX->m_pDlgWnd == nullptr) return nullptr;
    ui_detail::WndImpl* impl = ui_detail::WndImpl::Of(pDX->m_pDlgWnd);
    return impl == nullptr ? nullptr : qobject_cast<QLineEdit*>(impl->ControlWidget(static_cast<UINT>(nIDC)));
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
    QLineEdit* edit = EditOf(pDX, nIDC);
    if (edit == nullptr) return;
    if (pDX->m_bSaveAndValidate) {
        value = ui_detail::ToWindows1251(edit->text());
    } else {
        edit->setText(ui_detail::FromWindows1251(value));
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    QLineEdit* edit = EditOf(pDX, nIDC);
    if (edit == nullptr) return;
    if (!pDX->m_bSaveAndValidate) {
        edit->setText(QString::number(value));
        return;
    }
    bool valid = false;
    const int number = edit->text().trimmed().toInt(&valid);
    if (valid) {
        value = number;
    } else {
        pDX->Fail();
    }
}
