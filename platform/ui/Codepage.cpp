#include "platform/ui/Codepage.h"

#include <iconv.h>

#include <QList>
#include <array>
#include <unordered_map>

#include "platform/ui/QtText.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The upper half of the code page, read once from the system's converter.
// Without one, the Cyrillic letters (the texts this program uses) still
// convert; the rarer signs become the replacement character.
struct CodeTable {
    std::array<char32_t, 256> toUnicode{};
    std::unordered_map<char32_t, char> fromUnicode;

    CodeTable() {
        for (unsigned byte = 0; byte < 128; ++byte) toUnicode[byte] = byte;
        for (unsigned byte = 128; byte < 256; ++byte) toUnicode[byte] = DecodeWithIconv(static_cast<char>(byte));
        for (unsigned byte = 256; byte-- > 0;) {
            if (toUnicode[byte] != kReplacement) fromUnicode[toUnicode[byte]] = static_cast<char>(byte);
        }
    }

    static char32_t DecodeWithIconv(char byte) {
        const auto fallback = [byte]() -> char32_t {
            const unsigned value = static_cast<unsigned char>(byte);
            if (value >= 0xC0) return 0x0410 + (value - 0xC0);
            if (value == 0xA8) return 0x0401;
            if (value == 0xB8) return 0x0451;
            return kReplacement;
        };
        iconv_t converter = iconv_open("UTF-32LE", "CP1251");
        if (converter == reinterpret_cast<iconv_t>(-1)) return fallback();
        char input[1] = {byte};
        unsigned char output[4] = {};
        char* in = input;
        char* out = reinterpret_cast<char*>(output);
        std::size_t inLeft = 1;
        std::size_t outLeft = 4;
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        iconv_close(converter);
        if (result == static_cast<std::size_t>(-1) || outLeft != 0) return kReplacement;
        return static_cast<char32_t>(static_cast<unsigned>(output[0]) | (static_cast<unsigned>(output[1]) << 8) |
                                     (static_cast<unsigned>(output[2]) << 16) | (static_cast<unsigned>(output[3]) << 24));
    }
};

const CodeTable& Table() {
    static const CodeTable table;
    return table;
}

}  // namespace

namespace ui_detail {

QString FromWindows1251(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        const char32_t code = Table().toUnicode[static_cast<unsigned char>(byte)];
        text.append(QChar(static_cast<char16_t>(code)));  // the whole code page lies in the BMP
    }
    return text;
}

std::string ToWindows1251(const QString& text) {
    std::string bytes;
    const QList<uint> codes = text.toUcs4();
    bytes.reserve(static_cast<std::size_t>(codes.size()));
    for (const uint code : codes) {
        const auto found = Table().fromUnicode.find(static_cast<char32_t>(code));
        bytes.push_back(found == Table().fromUnicode.end() ? '?' : found->second);
    }
    return bytes;
}

}  // namespace ui_detail

std::string Utf8FromWindows1251(std::string_view bytes) {
    return ui_detail::FromWindows1251(bytes).toStdString();
}

std::string Windows1251FromUtf8(std::string_view utf8) {
    return ui_detail::ToWindows1251(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}
