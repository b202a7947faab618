#include <gtest/gtest.h>

#include "platform/ui/Codepage.h"

namespace {

TEST(Codepage, EveryDefinedByteSurvivesTheRoundTrip) {
    for (int value = 1; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        const std::string utf8 = Utf8FromWindows1251(byte);
        if (value == 0x98) continue;  // the one byte the code page leaves undefined
        EXPECT_EQ(Windows1251FromUtf8(utf8), byte) << "byte " << value;
    }
}

TEST(Codepage, KnownTextsAndCharactersOutsideThePage) {
    EXPECT_EQ(Utf8FromWindows1251(" \xF8\xE0\xF0\xE8\xEA\xE8"), " шарики");
    EXPECT_EQ(Utf8FromWindows1251("\xA8\xB8\x88\xB9"), "Ёё€№");
    EXPECT_EQ(Windows1251FromUtf8("счет:"), "\xF1\xF7\xE5\xF2:");
    EXPECT_EQ(Windows1251FromUtf8("Ann ✓ 😀 ü"), "Ann ? ? ?");  // one '?' per character, also beyond 16 bits
    EXPECT_EQ(Windows1251FromUtf8("a\xFF" "b"), "a?b");          // broken UTF-8
    EXPECT_EQ(Utf8FromWindows1251(std::string("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
