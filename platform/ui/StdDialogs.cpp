#include "platform/ui/StdDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include "platform/ui/QtText.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"

namespace ui_detail {

namespace {

QWidget* DialogParent() {
    CWnd* main = AfxGetMainWnd();
    return main == nullptr ? nullptr : main->GetOuterWidget();
}

QString Caption() {
    CWinApp* app = AfxGetApp();
    return FromWindows1251(app == nullptr ? std::string() : app->GetAppTitle());
}

QMessageBox::Icon IconFor(UINT type) {
    switch (type & 0xF0) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

QString QtFileFilter(const char* filter) {
    if (filter == nullptr) return {};
    const QStringList parts = QString::fromLocal8Bit(filter).split(u'|');
    QStringList filters;
    for (qsizetype index = 0; index + 1 < parts.size(); index += 2) {
        if (parts[index].isEmpty()) break;
        QString patterns = parts[index + 1];
        patterns.replace(u';', u' ');
        // Qt takes the patterns from the last parentheses of the text.
        filters.append(parts[index].endsWith(u')') && parts[index].contains(u'(')
                           ? parts[index]
                           : parts[index] + QStringLiteral(" (") + patterns + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) {
    const QString filter = QtFileFilter(request.filter);
    QFileDialog::Options options;
    if (request.mode == FileDialogMode::save && (request.flags & OFN_OVERWRITEPROMPT) == 0)
        options |= QFileDialog::DontConfirmOverwrite;
    const QString chosen = request.mode == FileDialogMode::open
                               ? QFileDialog::getOpenFileName(DialogParent(), QString(), QString(), filter, nullptr, options)
                               : QFileDialog::getSaveFileName(DialogParent(), QString(), QString(), filter, nullptr, options);
    if (chosen.isEmpty()) return std::nullopt;
    return QFile::encodeName(chosen).toStdString();
}

int ShowMessageBox(const char* text, UINT type) {
    QMessageBox box(IconFor(type), Caption(), FromWindows1251(text == nullptr ? "" : text), QMessageBox::NoButton,
                    DialogParent());
    struct Choice {
        QMessageBox::StandardButton button;
        int result;
    };
    std::vector<Choice> choices;
    switch (type & 0x0F) {
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_YESNOCANCEL:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: choices = {{QMessageBox::Ok, IDOK}}; break;
    }
    for (const Choice& choice : choices) box.addButton(choice.button);
    const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Choice& choice : choices) {
        if (choice.button == clicked) return choice.result;
    }
    return choices.size() == 1 ? IDOK : IDCANCEL;  // closed by its close box
}

void InstallDialogHooks() {
    SetFileDialogHook(ShowFileDialog);
    SetMessageBoxHook(ShowMessageBox);
}

void RemoveDialogHooks() {
    SetFileDialogHook({});
    SetMessageBoxHook({});
}

}  // namespace ui_detail
