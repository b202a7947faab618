// The C runtime stand-ins, the pixel-row decoder and the trace channel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/core/Crt.h"
#include "platform/core/DibRow.h"
#include "platform/core/Trace.h"

// The generator against reference values worked out apart from this code.
TEST(Crt, RandMatchesTheClassicSequence) {
    const std::pair<unsigned int, std::vector<int>> cases[] = {
        {1, {41, 18467, 6334, 26500, 19169}}, {12345, {7584, 19164, 25795, 22125, 5828}}};
    for (const auto& [seed, expected] : cases) {
        crt::srand(seed);
        std::vector<int> drawn;
        for (std::size_t index = 0; index < expected.size(); ++index) drawn.push_back(crt::rand());
        EXPECT_EQ(drawn, expected) << "seed " << seed;
    }
}

TEST(DibRowDecoder, EveryDepth) {
    struct Case {
        WORD bitCount;
        DWORD coloursUsed;
        std::vector<BYTE> row;
        std::size_t first;
        std::vector<std::uint32_t> expected;  // 0xRRGGBB
    };
    // Entry i is red i, green 2i, blue 3i.
    const Case cases[] = {
        {1, 0, {0b1000'0000, 0b0100'0000}, 8, {0x000000, 0x010203, 0x000000}},  // leftmost in the top bit
        {4, 0, {0x0F, 0x3A}, 1, {0x0F1E2D, 0x030609, 0x0A141E}},
        {8, 4, {3, 4, 255}, 0, {0x030609, 0x000000, 0x000000}},  // past the colours in use: black
        {8, 300, {255}, 0, {0xFFFEFD}},                          // too many colours: all 256 are used
        // x1555: the top bit ignored, each channel c widened to c * 255 / 31.
        {16, 0, {0xFF, 0x7F, 0x2F, 0xC0, 0x00, 0x7C}, 0, {0xFFFFFF, 0x83087B, 0xFF0000}},
        {24, 0, {1, 2, 3, 4, 5, 6}, 1, {0x060504}},
        {32, 0, {1, 2, 3, 0xAA}, 0, {0x030201}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.bitCount);
        BITMAPINFO info{};
        info.bmiHeader.biBitCount = test.bitCount;
        info.bmiHeader.biClrUsed = test.coloursUsed;
        for (unsigned i = 0; i < 256; ++i) info.bmiColors[i] = {BYTE(3 * i), BYTE(2 * i), BYTE(i), 0};
        const CDibRowDecoder decoder(info);
        ASSERT_TRUE(decoder.CanDecode());
        std::vector<std::uint32_t> colours(test.expected.size());
        decoder.Decode(test.row.data(), test.first, colours.size(), colours.data());
        for (std::uint32_t& colour : colours) colour ^= 0xFF000000u;  // always opaque
        EXPECT_EQ(colours, test.expected);
    }
    BITMAPINFO info{};
    for (const WORD bitCount : {WORD{0}, WORD{2}, WORD{7}, WORD{64}}) {
        info.bmiHeader.biBitCount = bitCount;
        EXPECT_FALSE(CDibRowDecoder(info).CanDecode()) << bitCount;
    }
}

TEST(Trace, SilentUnlessSwitchedOn) {
    const char* saved = std::getenv("VELMOR_TRACE");
    const std::string savedValue = saved != nullptr ? saved : "";
    for (const bool on : {false, true}) {
        if (on) setenv("VELMOR_TRACE", "1", 1);
        else unsetenv("VELMOR_TRACE");
        testing::internal::CaptureStderr();
        Trace("Not a bitmap file");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), on ? "Not a bitmap file\n" : "");
    }
    if (saved != nullptr) setenv("VELMOR_TRACE", savedValue.c_str(), 1);
    else unsetenv("VELMOR_TRACE");
}
