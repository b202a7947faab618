#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/core/Palette.h"
#include "platform/core/Resources.h"
#include "platform/core/Trace.h"

TEST(Palette, NearestIndexByLeastSquaredDistanceFirstWins) {
    const PALETTEENTRY entries[] = {
        {0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {100, 100, 100, 0},
    };
    CPalette palette;
    EXPECT_EQ(palette.GetEntryCount(), -1);
    EXPECT_EQ(palette.GetSafeHandle(), nullptr);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(1, 2, 3)), CLR_INVALID);
    ASSERT_TRUE(palette.CreatePalette(entries, 5));
    EXPECT_EQ(palette.GetEntryCount(), 5);

    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(250, 10, 0)), 1u);  // 1 and 3 tie: the first
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(90, 120, 95)), 4u);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(10, 200, 10)), 2u);
    // The flag byte of a colour reference is not part of the colour.
    EXPECT_EQ(palette.GetNearestPaletteIndex(0x01000000u | RGB(0, 250, 0)), 2u);

    PALETTEENTRY out[4] = {};
    EXPECT_EQ(palette.GetPaletteEntries(3, 4, out), 2u);
    EXPECT_EQ(out[1].peRed, 100);
    EXPECT_EQ(palette.GetPaletteEntries(5, 1, out), 0u);
    EXPECT_EQ(CPalette::FromHandle(palette.GetSafeHandle()), &palette);

    EXPECT_FALSE(palette.CreatePalette(entries, 0));
    EXPECT_FALSE(palette.CreatePalette(entries, 257));
    EXPECT_EQ(palette.GetEntryCount(), 5);  // refused creations change nothing
}

TEST(Trace, SilentByDefaultAndCapturedForTests) {
    const char* saved = std::getenv("VELMOR_TRACE");
    const std::string savedValue = saved != nullptr ? saved : "";
    unsetenv("VELMOR_TRACE");

    testing::internal::CaptureStderr();
    {
        TraceCapture outer;
        {
            TraceCapture inner;
            Trace("Not a bitmap file");
            EXPECT_EQ(inner.Lines(), std::vector<std::string>{"Not a bitmap file"});
        }
        Trace("second");
        EXPECT_EQ(outer.Lines(), std::vector<std::string>{"second"});
    }
    Trace("nobody listens");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    setenv("VELMOR_TRACE", "1", 1);
    testing::internal::CaptureStderr();
    Trace("loud");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "loud\n");
    if (saved != nullptr) setenv("VELMOR_TRACE", savedValue.c_str(), 1);
    else unsetenv("VELMOR_TRACE");
}

TEST(Resources, OnlyTheLow16BitsOfAnIdentifierCount) {
    RegisterDibResource(0x10005, {1, 2, 3});
    ASSERT_TRUE(FindDibResource(5).has_value());
    EXPECT_EQ(FindDibResource(5)->size(), 3u);
    ClearDibResources();
    EXPECT_FALSE(FindDibResource(5).has_value());
}
