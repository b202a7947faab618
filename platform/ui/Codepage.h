// The program keeps its texts as Windows-1251 (Cyrillic) bytes; these turn
// them into UTF-8 and back for the places that need it.
#pragma once

#include <string>
#include <string_view>

std::string Utf8FromWindows1251(std::string_view bytes);
// A character the code page lacks becomes '?'; malformed UTF-8 bytes too.
std::string Windows1251FromUtf8(std::string_view utf8);
