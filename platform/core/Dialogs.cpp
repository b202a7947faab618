#include "platform/core/Dialogs.h"

#include <utility>

#include "platform/core/Trace.h"

namespace {

FileDialogHook& InstalledFileDialog() {
    static FileDialogHook hook;
    return hook;
}

MessageBoxHook& InstalledMessageBox() {
    static MessageBoxHook hook;
    return hook;
}

}  // namespace

void SetFileDialogHook(FileDialogHook hook) { InstalledFileDialog() = std::move(hook); }

std::optional<std::string> AskFileName(const FileDialogRequest& request) {
    const FileDialogHook& hook = InstalledFileDialog();
    if (!hook) return std::nullopt;
    return hook(request);
}

void SetMessageBoxHook(MessageBoxHook hook) { InstalledMessageBox() = std::move(hook); }

int AfxMessageBox(const char* text, UINT type) {
    const MessageBoxHook& hook = InstalledMessageBox();
    if (hook) return hook(text, type);
    Trace(std::string("Message box: ") + (text != nullptr ? text : ""));
    return IDOK;
}
