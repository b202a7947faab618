// Windows-1251 bytes to Qt strings and back, for the places where Qt shows
// or takes text.
#pragma once

#include <QList>
#include <QString>
#include <string>
#include <string_view>

#include "platform/core/Cp1251.h"

namespace ui_detail {

inline QString FromWindows1251(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    // The whole code page lies in the first 64K of Unicode.
    for (const char byte : bytes) text.append(QChar(static_cast<char16_t>(Cp1251ToUnicode(byte))));
    return text;
}

// A character outside the code page becomes '?'.
inline std::string ToWindows1251(const QString& text) {
    std::string bytes;
    for (const uint code : text.toUcs4()) bytes.push_back(Cp1251FromUnicode(static_cast<char32_t>(code)));
    return bytes;
}

}  // namespace ui_detail
