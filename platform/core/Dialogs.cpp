#include "platform/core/Dialogs.h"

#include <utility>

#include "platform/core/Trace.h"

namespace {

FileDialogHook g_fileDialog;
MessageBoxHook g_messageBox;

}  // namespace

void SetFileDialogHook(FileDialogHook hook) { g_fileDialog = std::move(hook); }

std::optional<std::string> AskFileName(const FileDialogRequest& request) {
    return g_fileDialog ? g_fileDialog(request) : std::nullopt;
}

void SetMessageBoxHook(MessageBoxHook hook) { g_messageBox = std::move(hook); }

int AfxMessageBox(const char* text, UINT type) {
    if (g_messageBox) return g_messageBox(text, type);
    Trace(std::string("Message box: ") + (text != nullptr ? text : ""));
    return IDOK;
}
