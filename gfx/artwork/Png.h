// A small PNG writer for 32-bit pictures with alpha: no compression (stored
// deflate blocks), so it needs no library.  Enough for icons.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace art {

// The PNG file of a width x height picture whose pixels, top row first, are
// 0xAARRGGBB words with straight (not premultiplied) alpha.  Empty when the
// sizes are not positive or do not match the pixel count.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint32_t> pixels);

// CRC-32 as PNG chunks use it, and the zlib stream's Adler-32.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

// Writes the bytes to the named file; false when that fails.
bool WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace art
