#include "gfx/artwork/Png.h"

#include <fstream>

// The packaged single-file writer, compiled here and kept to this file.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

namespace art {

namespace {

void Append(void* context, void* data, int size) {
    auto& out = *static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}

}  // namespace

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint32_t> pixels) {
    if (width < 1 || height < 1 || width > 65535 || height > 65535 ||
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) != pixels.size()) {
        return {};
    }
    std::vector<std::uint8_t> rgba;
    rgba.reserve(4 * pixels.size());
    for (const std::uint32_t argb : pixels) {
        rgba.insert(rgba.end(), {static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                                 static_cast<std::uint8_t>(argb), static_cast<std::uint8_t>(argb >> 24)});
    }
    std::vector<std::uint8_t> png;
    if (stbi_write_png_to_func(Append, &png, width, height, 4, rgba.data(), 4 * width) == 0) return {};
    return png;
}

bool WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

}  // namespace art
