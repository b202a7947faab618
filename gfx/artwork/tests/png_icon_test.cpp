// The icon and the PNG files it is written to.  The PNG is read back by a
// small decoder of its own here (chunks, CRCs, stored deflate blocks,
// Adler-32), which checks the encoder against the format, not against itself.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "gfx/artwork/Icon.h"
#include "gfx/artwork/Png.h"

namespace art {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(PngChecksums, MatchTheKnownValues) {
    EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
    EXPECT_EQ(Crc32(Bytes("")), 0u);
    EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
    // Sums past the modulus wrap.
    const std::vector<std::uint8_t> ones(100000, 0xFF);
    EXPECT_EQ(Adler32(ones), 0x149A302Cu);
}

std::uint32_t BigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) << 24 |
           static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

struct DecodedPng {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB
};

// Inflates a zlib stream of stored blocks only.
std::optional<std::vector<std::uint8_t>> InflateStored(const std::vector<std::uint8_t>& stream) {
    if (stream.size() < 6 || (stream[0] * 256 + stream[1]) % 31 != 0 || (stream[0] & 0x0F) != 8) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> out;
    std::size_t at = 2;
    for (bool last = false; !last;) {
        if (at + 5 > stream.size() || (stream[at] & 0x06) != 0) {
            return std::nullopt;
        }
        last = (stream[at] & 1) != 0;
        const std::size_t length = stream[at + 1] | std::size_t{stream[at + 2]} << 8;
        const std::size_t inverted = stream[at + 3] | std::size_t{stream[at + 4]} << 8;
        if ((length ^ 0xFFFF) != inverted || at + 5 + length > stream.size()) {
            return std::nullopt;
        }
        out.insert(out.end(), stream.begin() + static_cast<std::ptrdiff_t>(at + 5),
                   stream.begin() + static_cast<std::ptrdiff_t>(at + 5 + length));
        at += 5 + length;
    }
    if (at + 4 != stream.size() || BigEndian(stream, at) != Adler32(out)) {
        return std::nullopt;
    }
    return out;
}

std::optional<DecodedPng> DecodePng(const std::vector<std::uint8_t>& png) {
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (png.size() < 8 || !std::equal(std::begin(kSignature), std::end(kSignature), png.begin())) {
        return std::nullopt;
    }
    DecodedPng decoded;
    std::vector<std::uint8_t> zlib;
    bool ended = false;
    for (std::size_t at = 8; !ended;) {
        if (at + 12 > png.size()) return std::nullopt;
        const std::size_t length = BigEndian(png, at);
        if (at + 12 + length > png.size()) return std::nullopt;
        const std::string_view type(reinterpret_cast<const char*>(&png[at + 4]), 4);
        const std::vector<std::uint8_t> data(
            png.begin() + static_cast<std::ptrdiff_t>(at + 8),
            png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        const std::span<const std::uint8_t> checked(&png[at + 4], length + 4);
        if (BigEndian(png, at + 8 + length) != Crc32(checked)) return std::nullopt;
        if (type == "IHDR") {
            if (length != 13 || data[8] != 8 || data[9] != 6 || data[12] != 0) return std::nullopt;
            decoded.width = BigEndian(data, 0);
            decoded.height = BigEndian(data, 4);
        } else if (type == "IDAT") {
            zlib.insert(zlib.end(), data.begin(), data.end());
        } else if (type == "IEND") {
            ended = true;
        }
        at += 12 + length;
    }
    const auto raw = InflateStored(zlib);
    const std::size_t stride = 1 + 4 * static_cast<std::size_t>(decoded.width);
    if (!raw || raw->size() != stride * decoded.height) return std::nullopt;
    for (std::size_t y = 0; y < decoded.height; ++y) {
        if ((*raw)[y * stride] != 0) return std::nullopt;
        for (std::size_t x = 0; x < decoded.width; ++x) {
            const std::uint8_t* p = &(*raw)[y * stride + 1 + 4 * x];
            decoded.pixels.push_back(static_cast<std::uint32_t>(p[3]) << 24 |
                                     static_cast<std::uint32_t>(p[0]) << 16 |
                                     static_cast<std::uint32_t>(p[1]) << 8 | p[2]);
        }
    }
    return decoded;
}

TEST(PngEncoder, RoundTripsIconsOfEveryInstalledSize) {
    // 256 needs several stored blocks; the others fit in one.
    for (const int size : {16, 32, 48, 256}) {
        SCOPED_TRACE(size);
        const std::vector<std::uint32_t> icon = DrawIcon(size);
        ASSERT_EQ(icon.size(), static_cast<std::size_t>(size * size));
        const auto decoded = DecodePng(EncodePng(size, size, icon));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->width, static_cast<std::uint32_t>(size));
        EXPECT_EQ(decoded->height, static_cast<std::uint32_t>(size));
        EXPECT_EQ(decoded->pixels, icon);
    }
}

TEST(PngEncoder, RefusesSizesThatDoNotMatchThePixels) {
    const std::vector<std::uint32_t> four(4, 0xFF000000u);
    EXPECT_TRUE(EncodePng(2, 3, four).empty());
    EXPECT_TRUE(EncodePng(0, 0, {}).empty());
    EXPECT_TRUE(EncodePng(-2, -2, four).empty());
    EXPECT_FALSE(EncodePng(4, 1, four).empty());
}

TEST(Icon, IsARoundedOpaqueTileOnATransparentGround) {
    for (const int size : {16, 32, 48, 256}) {
        SCOPED_TRACE(size);
        const std::vector<std::uint32_t> icon = DrawIcon(size);
        ASSERT_EQ(icon.size(), static_cast<std::size_t>(size * size));
        const auto alpha = [&icon, size](int x, int y) {
            return icon[static_cast<std::size_t>(y * size + x)] >> 24;
        };
        // Rounded corners: the corner pixels are (nearly) see-through.
        EXPECT_LT(alpha(0, 0), 64u);
        EXPECT_LT(alpha(size - 1, size - 1), 64u);
        EXPECT_EQ(alpha(size / 2, size / 2), 255u);
        EXPECT_EQ(alpha(size / 2, 0), 255u);
    }
    EXPECT_TRUE(DrawIcon(0).empty());
    EXPECT_TRUE(DrawIcon(5000).empty());
}

}  // namespace
}  // namespace art
