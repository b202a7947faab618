// The code page conversions of names and records.
#include "tools/headless/Cp1251.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, ConvertsBothWaysAndMarksWhatDoesNotFit) {
    const std::string cyrillic = "\xd0\xa0\xd0\x95\xd0\x9a\xd0\x9e\xd0\xa0\xd0\x94\xd0\xab";  // РЕКОРДЫ
    EXPECT_EQ(Utf8ToCp1251(cyrillic), "\xd0\xc5\xca\xce\xd0\xc4\xdb");
    EXPECT_EQ(Cp1251ToUtf8("\xd0\xc5\xca\xce\xd0\xc4\xdb"), cyrillic);
    EXPECT_EQ(Utf8ToCp1251("Ann \xe2\x82\xac"), "Ann \x88");  // the euro sign has a byte
    EXPECT_EQ(Utf8ToCp1251("a\xe4\xb8\xad" "b"), "a?b");        // a Chinese character has none
    EXPECT_EQ(Utf8ToCp1251("a\xff\xd0" "b"), "a??b");           // broken UTF-8 costs its bytes
    EXPECT_EQ(Cp1251ToUtf8("x\x98y"), "x?y");                   // the one undefined byte
    EXPECT_EQ(Cp1251ToUtf8(std::string("5\0 ", 3)), std::string("5\0 ", 3));
}

}  // namespace
