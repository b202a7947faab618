// The desktop's own dialogs behind the core's questions: the file chooser
// and the message box.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "platform/core/Dialogs.h"

namespace ui_detail {

// "Text|*.a;*.b|...||" as Qt writes it: "Text (*.a *.b);;...".
QString QtFileFilter(const char* filter);
std::optional<std::string> ShowFileDialog(const FileDialogRequest& request);
int ShowMessageBox(const char* text, UINT type);

void InstallDialogHooks();
void RemoveDialogHooks();

}  // namespace ui_detail
