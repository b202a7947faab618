// The icon and the PNG files it is written to, read back by the packaged decoder.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdint>
#include <vector>

#include "gfx/artwork/Icon.h"
#include "gfx/artwork/Png.h"

namespace art {
namespace {

// Every installed size: a rounded opaque tile on a transparent ground, and the PNG written from it decodes to the same
// pixels.
TEST(Icon, RoundedTilesThatRoundTripThroughPng) {
    for (const int size : {16, 32, 48, 256}) {
        SCOPED_TRACE(size);
        const std::vector<std::uint32_t> icon = DrawIcon(size);
        ASSERT_EQ(icon.size(), static_cast<std::size_t>(size * size));
        const auto alpha = [&icon, size](int x, int y) { return icon[static_cast<std::size_t>(y * size + x)] >> 24; };
        EXPECT_LT(alpha(0, 0), 64u);
        EXPECT_LT(alpha(size - 1, size - 1), 64u);
        EXPECT_EQ(alpha(size / 2, size / 2), 255u);
        EXPECT_EQ(alpha(size / 2, 0), 255u);

        const std::vector<std::uint8_t> png = EncodePng(size, size, icon);
        int width = 0;
        int height = 0;
        int channels = 0;
        stbi_uc* rgba = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width, &height, &channels, 4);
        ASSERT_NE(rgba, nullptr) << stbi_failure_reason();
        EXPECT_EQ((std::vector<int>{width, height, channels}), (std::vector<int>{size, size, 4}));
        std::vector<std::uint32_t> decoded;
        for (std::size_t i = 0; i < icon.size(); ++i) {
            const stbi_uc* pixel = rgba + 4 * i;
            decoded.push_back(std::uint32_t{pixel[3]} << 24 | std::uint32_t{pixel[0]} << 16 |
                              std::uint32_t{pixel[1]} << 8 | pixel[2]);
        }
        stbi_image_free(rgba);
        EXPECT_EQ(decoded, icon);
    }
}

}  // namespace
}  // namespace art
