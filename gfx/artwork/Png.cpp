#include "gfx/artwork/Png.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <fstream>

namespace art {

namespace {

// A stored deflate block holds at most this many bytes.
constexpr std::size_t kStoredBlockLimit = 65535;

const std::array<std::uint32_t, 256>& CrcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) {
                c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            entries[n] = c;
        }
        return entries;
    }();
    return table;
}

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void AppendChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
                 std::span<const std::uint8_t> data) {
    AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const std::span<const std::uint8_t> checked(out.data() + typeStart, 4 + data.size());
    AppendBigEndian(out, Crc32(checked));
}

// Each row: filter type 0, then red, green, blue, alpha per pixel.
std::vector<std::uint8_t> RawRows(int width, int height, std::span<const std::uint32_t> pixels) {
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + 4 * static_cast<std::size_t>(width)));
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        raw.push_back(0);
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
            const std::uint32_t argb = pixels[y * static_cast<std::size_t>(width) + x];
            raw.push_back(static_cast<std::uint8_t>(argb >> 16));
            raw.push_back(static_cast<std::uint8_t>(argb >> 8));
            raw.push_back(static_cast<std::uint8_t>(argb));
            raw.push_back(static_cast<std::uint8_t>(argb >> 24));
        }
    }
    return raw;
}

std::vector<std::uint8_t> StoredZlibStream(std::span<const std::uint8_t> raw) {
    std::vector<std::uint8_t> stream = {0x78, 0x01};
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(kStoredBlockLimit, raw.size() - offset);
        const bool last = offset + length == raw.size();
        stream.push_back(last ? 1 : 0);
        const auto length16 = static_cast<std::uint16_t>(length);
        const auto inverted16 = static_cast<std::uint16_t>(~length16);
        stream.push_back(static_cast<std::uint8_t>(length16));
        stream.push_back(static_cast<std::uint8_t>(length16 >> 8));
        stream.push_back(static_cast<std::uint8_t>(inverted16));
        stream.push_back(static_cast<std::uint8_t>(inverted16 >> 8));
        stream.insert(stream.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
                      raw.begin() + static_cast<std::ptrdiff_t>(offset + length));
        offset += length;
    } while (offset < raw.size());
    AppendBigEndian(stream, Adler32(raw));
    return stream;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) {
        crc = CrcTable()[(crc ^ byte) & 0xFFu] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
    constexpr std::uint32_t kModulus = 65521;
    std::uint32_t low = 1;
    std::uint32_t high = 0;
    for (const std::uint8_t byte : bytes) {
        low = (low + byte) % kModulus;
        high = (high + low) % kModulus;
    }
    return (high << 16) | low;
}

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint32_t> pixels) {
    if (width < 1 || height < 1 || width > 65535 || height > 65535 ||
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) != pixels.size()) {
        return {};
    }
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    AppendBigEndian(header, static_cast<std::uint32_t>(width));
    AppendBigEndian(header, static_cast<std::uint32_t>(height));
    // 8 bits per channel, colour type 6 (RGBA), deflate, adaptive filters,
    // no interlace.
    header.insert(header.end(), {8, 6, 0, 0, 0});
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", StoredZlibStream(RawRows(width, height, pixels)));
    AppendChunk(png, "IEND", {});
    return png;
}

bool WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

}  // namespace art
