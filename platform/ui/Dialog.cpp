#include "platform/ui/Dialog.h"

#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ui/WinApi.h"
#include "platform/ui/WinApp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

constexpr int kNotEnded = -2;

// value * numerator / denominator, rounded half up (positive values).
int Scale(int value, int numerator, int denominator) { return (value * numerator + denominator / 2) / denominator; }

// The top-level widget of the window a dialog belongs to; null for none.
QWidget* OwnerWidget(const CWnd* owner) {
    if (owner == nullptr || owner->Widget() == nullptr) return nullptr;
    return owner->Widget()->window();
}

}  // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {
    m_bDialog = true;
}

int CDialog::DoModal() {
    m_pTemplate = FindDialogResource(m_nIDTemplate);
    if (m_pTemplate == nullptr || m_pClient != nullptr) return -1;
    CWnd* owner = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    m_nModalResult = kNotEnded;
    CREATESTRUCT cs{.pParent = owner,
                    .cy = m_pTemplate->cy,
                    .cx = m_pTemplate->cx,
                    .style = m_pTemplate->style & ~WS_VISIBLE,
                    .lpszName = m_pTemplate->caption.c_str()};
    if (!CreateWindowFrom(cs)) return -1;
    // OnInitDialog answers whether the first tab stop takes the focus.
    const BOOL focusFirstTabStop = OnInitDialog();
    if (focusFirstTabStop && m_pFirstTabStop != nullptr) m_pFirstTabStop->setFocus(Qt::TabFocusReason);
    if (m_nModalResult == kNotEnded && m_pOuter != nullptr) static_cast<QDialog*>(m_pOuter.data())->exec();
    if (m_pClient != nullptr) DestroyWindow();
    // The owner takes the keyboard back, as it would from the platform's
    // window manager; without one nothing would have the focus.
    if (owner != nullptr && owner->Widget() != nullptr) owner->Widget()->window()->activateWindow();
    return m_nModalResult == kNotEnded ? IDCANCEL : m_nModalResult;
}

QWidget* CDialog::MakeOuter(const CREATESTRUCT& cs, QWidget* client) {
    auto* dialog = new QDialog(OwnerWidget(cs.pParent));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if ((cs.style & WS_SYSMENU) != 0) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    dialog->setWindowFlags(flags);
    dialog->setModal(true);
    client->setParent(dialog);
    // The template's face at its point size, taken at 96 pixels per inch.
    QFont font(QString::fromLatin1(m_pTemplate->typeFace.c_str()));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, Scale(m_pTemplate->pointSize, 96, 72)));
    dialog->setFont(font);
    // Base units: the average width of the 52 Latin letters, rounded the
    // classic way, and the character cell's height.
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int baseX = (letters / 26 + 1) / 2;
    const int baseY = metrics.ascent() + metrics.descent();
    const auto pixels = [&](int x, int y, int cx, int cy) {
        return QRect(Scale(x, baseX, 4), Scale(y, baseY, 8), Scale(cx, baseX, 4), Scale(cy, baseY, 8));
    };
    dialog->setFixedSize(pixels(0, 0, cs.cx, cs.cy).size());
    m_controls.clear();
    m_pFirstTabStop = nullptr;
    QWidget* previousTabStop = nullptr;
    for (const DialogItemTemplate& item : m_pTemplate->items) {
        const QString text = ui_detail::FromWindows1251(item.text);
        QWidget* control = nullptr;
        QRect place = pixels(item.x, item.y, item.cx, item.cy);
        switch (item.kind) {
        case DialogControlKind::pushButton: {
            auto* button = new QPushButton(text, client);
            button->setAutoDefault(true);
            button->setDefault((item.style & 0x0F) == BS_DEFPUSHBUTTON);
            QObject::connect(button, &QPushButton::clicked, button, [this, id = item.id] {
                SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 1);
            });
            control = button;
            break;
        }
        case DialogControlKind::edit: {
            auto* edit = new QLineEdit(client);
            edit->setFrame((item.style & WS_BORDER) != 0);
            control = edit;
            break;
        }
        case DialogControlKind::icon: {
            auto* label = new QLabel(client);
            label->setPixmap(
                ui_detail::IconOf(LoadIconA(nullptr, MAKEINTRESOURCEA(static_cast<WORD>(item.iconId)))).pixmap(32, 32));
            place.setSize(QSize(32, 32));  // icons keep their own size
            control = label;
            break;
        }
        case DialogControlKind::staticText: {
            auto* label = new QLabel(text, client);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(true);
            control = label;
            break;
        }
        }
        control->setGeometry(place);
        if ((item.style & WS_TABSTOP) != 0) {
            control->setFocusPolicy(Qt::StrongFocus);
            if (previousTabStop != nullptr) {
                QWidget::setTabOrder(previousTabStop, control);
            } else {
                m_pFirstTabStop = control;
            }
            previousTabStop = control;
        } else if (item.kind == DialogControlKind::pushButton || item.kind == DialogControlKind::edit) {
            control->setFocusPolicy(Qt::ClickFocus);
        }
        m_controls.emplace_back(item.id, control);
    }
    return dialog;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    auto* dialog = qobject_cast<QDialog*>(m_pOuter.data());
    if (dialog != nullptr) dialog->done(nResult);
}

BOOL CDialog::OnInitDialog() { return UpdateData(FALSE); }

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange exchange{this, bSaveAndValidate};
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
    for (const auto& [id, widget] : pDX->m_pDlgWnd->m_controls) {
        auto* edit = qobject_cast<QLineEdit*>(widget);
        if (id != static_cast<UINT>(nIDC) || edit == nullptr) continue;
        if (pDX->m_bSaveAndValidate) {
            value = ui_detail::ToWindows1251(edit->text());
        } else {
            edit->setText(ui_detail::FromWindows1251(value));
        }
    }
}
