#include "tools/headless/Cp1251.h"

#include <iconv.h>

#include <array>

namespace {

// One conversion direction, opened once.  Converting a single character at
// a time lets a failure cost that character only.
class CConverter {
public:
    CConverter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~CConverter() {
        if (m_handle != reinterpret_cast<iconv_t>(-1)) iconv_close(m_handle);
    }
    CConverter(const CConverter&) = delete;
    CConverter& operator=(const CConverter&) = delete;

    // Appends the conversion of one whole character; false when it has none.
    bool Append(std::string_view character, std::string& output) {
        if (m_handle == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        std::array<char, 16> buffer{};
        std::string input(character);
        char* in = input.data();
        std::size_t inLeft = input.size();
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        if (iconv(m_handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
            return false;
        }
        output.append(buffer.data(), buffer.size() - outLeft);
        return true;
    }

private:
    iconv_t m_handle;
};

// The length of the UTF-8 sequence a lead byte starts; 0 for a byte that
// cannot start one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The length of the well-formed sequence at `index`, 0 when there is none.
std::size_t WholeSequenceLength(std::string_view text, std::size_t index) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(text[index]));
    if (length == 0 || index + length > text.size()) return 0;
    for (std::size_t offset = 1; offset < length; ++offset) {
        const auto byte = static_cast<unsigned char>(text[index + offset]);
        if (byte < 0x80 || byte > 0xBF) return 0;
    }
    return length;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
    static CConverter converter("UTF-8", "CP1251");
    std::string text;
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        if (!converter.Append(bytes.substr(index, 1), text)) text.push_back('?');
    }
    return text;
}

std::string Utf8ToCp1251(std::string_view text) {
    static CConverter converter("CP1251", "UTF-8");
    std::string bytes;
    std::size_t index = 0;
    while (index < text.size()) {
        const std::size_t length = WholeSequenceLength(text, index);
        if (length == 0) {
            bytes.push_back('?');  // a stray byte costs itself only
            ++index;
            continue;
        }
        if (!converter.Append(text.substr(index, length), bytes)) bytes.push_back('?');
        index += length;
    }
    return bytes;
}
