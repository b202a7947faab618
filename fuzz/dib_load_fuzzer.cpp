// Feeds arbitrary bytes to CDIB's open-file Load.  A picture that loads is
// then put to work the way the game uses pictures: single pixels at its
// corners, a save and a second load that must give the same picture, and
// transparent and scaled copies into a small 8-bit picture whose rectangles
// reach past both pictures.  Any mismatch traps.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gfx/DIB.h"
#include "tests/support/MemFile.h"

namespace {

// Reads the bytes of the pixels at the corners (and just outside them), so
// that a wrong address shows up in the address sanitizer.
void TouchCorners(const CDIB& picture) {
    const int width = picture.ImageWidth();
    const int height = picture.ImageHeight();
    const int bytesPerPixel = (picture.GetBitmapInfo()->bmiHeader.biBitCount + 7) / 8;
    const int corners[][2] = {{0, 0},  {width - 1, 0}, {0, height - 1}, {width - 1, height - 1},
                              {-1, 0}, {0, -1},        {width, 0},      {0, height}};
    volatile BYTE sink = 0;
    for (const auto& corner : corners) {
        const BYTE* address = picture.GetPixelAddress(corner[0], corner[1]);
        const bool inside = corner[0] >= 0 && corner[0] < width && corner[1] >= 0 && corner[1] < height;
        if (address == nullptr) continue;
        if (!inside) __builtin_trap();
        for (int i = 0; i < bytesPerPixel; ++i) sink = static_cast<BYTE>(sink ^ address[i]);
    }
}

std::size_t PixelBytes(const CDIB& picture) {
    return static_cast<std::size_t>(picture.BytesPerRow()) * static_cast<std::size_t>(picture.ImageHeight());
}

// What Save writes must load again as the same picture.
void SaveAndReload(CDIB& picture) {
    CMemFile saved;
    if (!picture.Save(&saved)) __builtin_trap();
    saved.Seek(0, CFile::begin);
    CDIB again;
    if (!again.Load(&saved)) __builtin_trap();
    const BITMAPINFOHEADER& before = picture.GetBitmapInfo()->bmiHeader;
    const BITMAPINFOHEADER& after = again.GetBitmapInfo()->bmiHeader;
    if (after.biWidth != before.biWidth || after.biHeight != before.biHeight || after.biBitCount != before.biBitCount ||
        again.GetColorCount() != picture.GetColorCount()) {
        __builtin_trap();
    }
    const std::size_t colourBytes = sizeof(RGBQUAD) * static_cast<std::size_t>(picture.GetColorCount());
    if (std::memcmp(again.GetColorTable(), picture.GetColorTable(), colourBytes) != 0) __builtin_trap();
    if (std::memcmp(again.GetBits(), picture.GetBits(), PixelBytes(picture)) != 0) __builtin_trap();
}

// Sprites are drawn this way: a transparent copy whose rectangle may reach
// past either picture.
void CopyIntoSmallPicture(CDIB& picture) {
    CDIB small;
    if (!small.Create(24, 20)) return;
    const BYTE* topLeft = picture.GetPixelAddress(0, 0);
    const COLORREF transparent = PALETTEINDEX(topLeft != nullptr ? *topLeft : 0);
    const int width = picture.ImageWidth();
    const int height = picture.ImageHeight();
    picture.CopyRectTo(&small, 0, 0, 40, 40, 0, 0, transparent);
    picture.CopyRectTo(&small, -5, 7, width, height, 0, 0, transparent);
    picture.CopyRectTo(&small, 3, 2, 16, 16, width - 8, height - 8, transparent);
    picture.CopyRectTo(&small, 0, 0, 24, 20, 0, 0, kNoTransparentColour);
    // The scaled copies sample with divisions by sizes taken from the file.
    picture.StretchRectTo(&small, 1, 1, 22, 17, 0, 0, width, height, transparent);
    picture.StretchRectTo(&small, -2, 3, 5, 30, width / 3, height / 2, width, height, kNoTransparentColour);
    picture.DoubleRectTo(&small, -4, 6, width - 6, 0, 9, height, transparent);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CMemFile file(std::vector<BYTE>(data, data + size));
    CDIB picture;
    if (!picture.Load(&file)) return 0;
    TouchCorners(picture);
    SaveAndReload(picture);
    CopyIntoSmallPicture(picture);
    return 0;
}
