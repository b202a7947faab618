#include "platform/core/Cp1251.h"

#include <algorithm>
#include <array>

namespace {

// 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order.
constexpr std::array<char32_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, U'?',   0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};
constexpr char32_t kFirstLetter = 0x0410;

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {  // the whole page lies below U+10000
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character of the UTF-8 sequence at `index` and its length: length 0
// when no whole sequence starts there, '?' for an overlong form, a
// surrogate or a value past U+10FFFF.
std::pair<char32_t, std::size_t> DecodeUtf8(std::string_view text, std::size_t index) {
    const auto lead = static_cast<unsigned char>(text[index]);
    if (lead < 0x80) return {lead, 1};
    // The lead byte gives the length, the payload bits it carries, and the
    // smallest value that length may encode (anything less is overlong).
    std::size_t length = 0;
    char32_t code = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
        smallest = 0x10000;
    }
    if (length == 0 || index + length > text.size()) return {0, 0};
    for (std::size_t offset = 1; offset < length; ++offset) {
        const auto byte = static_cast<unsigned char>(text[index + offset]);
        if ((byte & 0xC0) != 0x80) return {0, 0};
        code = (code << 6) | (byte & 0x3Fu);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {U'?', length};
    return {code, length};
}

}  // namespace

char32_t Cp1251ToUnicode(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    if (value < 0x80) return value;
    if (value >= 0xC0) return kFirstLetter + (value - 0xC0);
    return kUpperHalf[value - 0x80];
}

char Cp1251FromUnicode(char32_t code) {
    if (code < 0x80) return static_cast<char>(code);
    if (code >= kFirstLetter && code < kFirstLetter + 64) return static_cast<char>(0xC0 + (code - kFirstLetter));
    const auto found = std::find(kUpperHalf.begin(), kUpperHalf.end(), code);
    return found == kUpperHalf.end() ? '?' : static_cast<char>(0x80 + (found - kUpperHalf.begin()));
}

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes) AppendUtf8(Cp1251ToUnicode(byte), text);
    return text;
}

std::string Utf8ToCp1251(std::string_view text) {
    std::string bytes;
    for (std::size_t index = 0; index < text.size();) {
        const auto [code, length] = DecodeUtf8(text, index);
        bytes += length == 0 ? '?' : Cp1251FromUnicode(code);  // a stray byte costs itself only
        index += std::max<std::size_t>(length, 1);
    }
    return bytes;
}
