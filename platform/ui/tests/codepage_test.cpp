// The one code page, as the window shows texts and takes typed ones, and as
// the headless driver prints and reads them: both ways agree on every byte.
#include <gtest/gtest.h>

#include "platform/core/Cp1251.h"
#include "platform/ui/QtText.h"

namespace {

TEST(Codepage, WindowAndDriverAgreeOnEveryByteBothWays) {
    for (int value = 0; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        const QString shown = ui_detail::FromWindows1251(byte);
        const std::string printed = Cp1251ToUtf8(byte);
        ASSERT_EQ(shown, QString::fromUtf8(printed.data(), static_cast<qsizetype>(printed.size()))) << value;
        // 0x98 has no character: it reads as '?' and stays '?'.
        const std::string back = value == 0x98 ? "?" : byte;
        EXPECT_EQ(ui_detail::ToWindows1251(shown), back) << value;
        EXPECT_EQ(Utf8ToCp1251(printed), back) << value;
    }
}

TEST(Codepage, KnownTextsAndWhatDoesNotFit) {
    EXPECT_EQ(Cp1251ToUtf8(" \xF8\xE0\xF0\xE8\xEA\xE8 \xA8\xB8\x88\xB9"), " шарики Ёё€№");
    const struct {
        const char* utf8;
        const char* bytes;
    } cases[] = {
        {"счет:", "\xF1\xF7\xE5\xF2:"},
        {"Ann ✓ 😀 ü", "Ann ? ? ?"},  // one '?' per character, also beyond 16 bits
        {"a\xFF\xD0" "b", "a??b"},     // broken UTF-8 costs its bytes
        {"a\xED\xA0\x80" "b", "a?b"},  // so does a whole sequence of no character
    };
    for (const auto& [utf8, bytes] : cases) EXPECT_EQ(Utf8ToCp1251(utf8), bytes) << utf8;
}

}  // namespace
