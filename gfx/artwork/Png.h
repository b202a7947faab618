// PNG files of 32-bit pictures with alpha, for the icons.
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

// Writes the bytes to the named file; false when that fails.
bool WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace art
