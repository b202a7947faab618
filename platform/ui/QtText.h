// Windows-1251 bytes to Qt strings and back, for the places where Qt shows
// or takes text.
#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace ui_detail {

QString FromWindows1251(std::string_view bytes);
// A character outside the code page becomes '?'.
std::string ToWindows1251(const QString& text);

}  // namespace ui_detail
