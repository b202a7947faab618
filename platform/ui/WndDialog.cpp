// Building a dialog's window and controls from its template.
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "platform/ui/DialogLayout.h"
#include "platform/ui/QtText.h"
#include "platform/ui/WinHandles.h"
#include "platform/ui/WndImpl.h"
#include "platform/ui/WndWidgets.h"

namespace ui_detail {

namespace {

// Static texts take "&" as a mnemonic mark unless told otherwise; a label
// without a buddy has no use for it, so only the doubled mark survives.
QString StaticText(const DialogItemTemplate& item) {
    QString text = FromWindows1251(item.text);
    if ((item.style & SS_NOPREFIX) != 0) return text;
    QString plain;
    for (qsizetype index = 0; index < text.size(); ++index) {
        if (text[index] == u'&' && index + 1 < text.size()) ++index;
        plain.append(text[index]);
    }
    return plain;
}

QWidget* MakeControl(const DialogItemTemplate& item, QWidget* dialog, CWnd* owner) {
    switch (item.kind) {
    case DialogControlKind::pushButton: {
        auto* button = new QPushButton(FromWindows1251(item.text), dialog);
        button->setAutoDefault(true);
        button->setDefault((item.style & 0x0F) == BS_DEFPUSHBUTTON);
        const UINT controlId = item.id;
        QObject::connect(button, &QPushButton::clicked, button,
                         [owner, controlId] { owner->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(controlId), 0), 1); });
        return button;
    }
    case DialogControlKind::edit: {
        auto* edit = new QLineEdit(dialog);
        edit->setFrame((item.style & WS_BORDER) != 0);
        return edit;
    }
    case DialogControlKind::icon: {
        auto* label = new QLabel(dialog);
        HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(static_cast<WORD>(item.iconId)));
        const QPixmap pixmap = IconFromHandle(icon).pixmap(32, 32);
        label->setPixmap(pixmap);
        return label;
    }
    case DialogControlKind::staticText:
    default: {
        auto* label = new QLabel(StaticText(item), dialog);
        const DWORD alignment = item.style & 0x0F;
        label->setAlignment((alignment == SS_CENTER ? Qt::AlignHCenter : alignment == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft) |
                            Qt::AlignTop);
        label->setWordWrap(alignment != SS_LEFTNOWORDWRAP);
        return label;
    }
    }
}

}  // namespace

QFont DialogFont(const DialogTemplate& dialogTemplate) {
    QFont font(QString::fromLatin1(dialogTemplate.typeFace.c_str()));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, MulDiv(dialogTemplate.pointSize, 96, 72)));
    return font;
}

CSize DialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return CSize{(letters / 26 + 1) / 2, metrics.ascent() + metrics.descent()};
}

QRect DialogUnitsToPixels(const QRect& units, CSize baseUnits) {
    return QRect(MulDiv(units.x(), baseUnits.cx, 4), MulDiv(units.y(), baseUnits.cy, 8), MulDiv(units.width(), baseUnits.cx, 4),
                 MulDiv(units.height(), baseUnits.cy, 8));
}

void WndImpl::BuildDialog(const CREATESTRUCT& cs, QWidget* parentWidget) {
    auto* dialog = new DialogWidget(this, parentWidget);
    ApplyTopLevelFlags(dialog, true);
    dialog->setModal(true);
    outer = dialog;
    client = dialog;
    const QFont font = DialogFont(*dialogTemplate);
    dialog->setFont(font);
    const CSize base = DialogBaseUnits(font);
    const QRect frame = DialogUnitsToPixels(QRect(0, 0, cs.cx, cs.cy), base);
    dialog->setFixedSize(frame.size());
    QWidget* previousTabStop = nullptr;
    for (const DialogItemTemplate& item : dialogTemplate->items) {
        QWidget* control = MakeControl(item, dialog, owner);
        QRect place = DialogUnitsToPixels(QRect(item.x, item.y, item.cx, item.cy), base);
        if (item.kind == DialogControlKind::icon) place.setSize(QSize(32, 32));  // icons keep their own size
        control->setGeometry(place);
        control->setVisible((item.style & WS_VISIBLE) != 0);
        control->setEnabled((item.style & WS_DISABLED) == 0);
        if (item.kind == DialogControlKind::pushButton || item.kind == DialogControlKind::edit) {
            if ((item.style & WS_TABSTOP) != 0) {
                control->setFocusPolicy(Qt::StrongFocus);
                if (previousTabStop != nullptr) QWidget::setTabOrder(previousTabStop, control);
                previousTabStop = control;
            } else {
                control->setFocusPolicy(Qt::ClickFocus);
            }
        }
        controls.emplace_back(item.id, control);
    }
}

QWidget* WndImpl::ControlWidget(UINT controlId) const {
    for (const auto& [controlIdInTemplate, widget] : controls) {
        if (controlIdInTemplate == controlId && controlId != IDC_STATIC) return widget;
    }
    return nullptr;
}

CWnd* WndImpl::ControlWnd(UINT controlId) {
    auto& wrapper = controlWnds[controlId];
    if (!wrapper) {
        QWidget* widget = ControlWidget(controlId);
        if (widget == nullptr) {
            controlWnds.erase(controlId);
            return nullptr;
        }
        wrapper = std::make_unique<CWnd>();
        wrapper->Impl()->AttachControl(widget, controlId);
        wrapper->Impl()->parent = owner;
        wrapper->m_hWnd = reinterpret_cast<HWND>(wrapper.get());
    }
    return wrapper.get();
}

void WndImpl::FocusFirstTabStop() {
    if (dialogTemplate == nullptr) return;
    for (std::size_t index = 0; index < dialogTemplate->items.size() && index < controls.size(); ++index) {
        QWidget* widget = controls[index].second;
        if ((dialogTemplate->items[index].style & WS_TABSTOP) != 0 && widget != nullptr && widget->isEnabled() &&
            !widget->isHidden()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

}  // namespace ui_detail
