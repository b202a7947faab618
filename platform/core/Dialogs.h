// The questions core code may put to the user.  The window layer installs
// real dialogs through the hooks; without them a file dialog is cancelled
// and a message box is traced and answered with OK.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/core/Types.h"

inline constexpr UINT OFN_OVERWRITEPROMPT = 0x0002;
inline constexpr UINT OFN_HIDEREADONLY = 0x0004;
inline constexpr UINT OFN_FILEMUSTEXIST = 0x1000;

enum class FileDialogMode { open, save };
struct FileDialogRequest {
    FileDialogMode mode;
    UINT flags;
    const char* filter;  // "Text|*.ext|...||" form
};
using FileDialogHook = std::function<std::optional<std::string>(const FileDialogRequest&)>;
// An empty function restores the default.
void SetFileDialogHook(FileDialogHook hook);
// The chosen full path, or nothing when cancelled.
std::optional<std::string> AskFileName(const FileDialogRequest& request);

inline constexpr UINT MB_OK = 0;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
using MessageBoxHook = std::function<int(const char* text, UINT type)>;
void SetMessageBoxHook(MessageBoxHook hook);
int AfxMessageBox(const char* text, UINT type = MB_OK);
