// The one Windows-1251 (Cyrillic) code page of the program: texts are kept
// as its bytes and turned into Unicode only where they are shown or printed.
// The page leaves byte 0x98 without a character; it reads as '?', the same
// sign that stands for a character the page lacks, so a shown text never
// holds a character that could not be stored back.
#pragma once

#include <string>
#include <string_view>

char32_t Cp1251ToUnicode(char byte);
// '?' for a character outside the page.
char Cp1251FromUnicode(char32_t code);

std::string Cp1251ToUtf8(std::string_view bytes);
// A character outside the page, and a byte that does not begin a
// well-formed UTF-8 sequence, becomes '?'.
std::string Utf8ToCp1251(std::string_view text);
