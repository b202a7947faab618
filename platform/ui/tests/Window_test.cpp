// What the window layer adds to what the game's own windows are tested for: texts in the one code page.  (Pictures
// reach the surface through the row decoder that the picture tool's conformance tests check at every depth.)
#include <gtest/gtest.h>

#include "platform/core/Cp1251.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace {

TEST(Codepage, WindowAndDriverAgreeOnEveryByteBothWays) {
    for (int value = 0; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        const QString shown = ui_detail::FromWindows1251(byte);
        const std::string printed = Cp1251ToUtf8(byte);
        ASSERT_EQ(shown, QString::fromUtf8(printed.data(), static_cast<qsizetype>(printed.size()))) << value;
        // 0x98 has no character: it reads as U+FFFD and goes back as '?'.
        const std::string back = value == 0x98 ? "?" : byte;
        EXPECT_EQ(ui_detail::ToWindows1251(shown), back) << value;
        EXPECT_EQ(Utf8ToCp1251(printed), back) << value;
    }
}

}  // namespace
