// Conversions between the Windows-1251 bytes that the game stores and draws
// and the UTF-8 text of the driver's input and output.
#pragma once

#include <string>
#include <string_view>

// Every byte becomes its character; a byte the code page leaves undefined
// becomes '?'.
std::string Cp1251ToUtf8(std::string_view bytes);

// Every character becomes its byte; a character outside the code page, and
// a byte that does not start a valid UTF-8 sequence, becomes '?'.
std::string Utf8ToCp1251(std::string_view text);
