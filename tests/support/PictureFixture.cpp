#include "tests/support/PictureFixture.h"

#include <string>
#include <system_error>

#include "gfx/DIB.h"

namespace {

bool WritePicture(const std::filesystem::path& file, int width, int height, int (*indexAt)(int, int, int),
                  int colour) {
    CDIB picture;
    if (!picture.Create(width, height)) return false;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) *picture.GetPixelAddress(x, y) = static_cast<BYTE>(indexAt(x, y, colour));
    }
    return picture.Save(file.string().c_str()) != FALSE;
}

int BallPixel(int x, int y, int colour) {
    const int frame = x / 40;
    const int dx = x % 40 - 20;
    const int dy = y - 20;
    return dx * dx + dy * dy <= 15 * 15 ? BallIndex(colour, frame) : 0;
}

int BoardPixel(int x, int y, int /*colour*/) {
    return x % 40 == 0 || y % 40 == 0 ? kBoardIndex + 1 : kBoardIndex;
}

int PreviewPixel(int /*x*/, int /*y*/, int colour) {
    return BallIndex(colour, 0);
}

}  // namespace

bool WritePictureFixture(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!WritePicture(folder / "pole.bmp", 360, 360, BoardPixel, 0)) return false;
    for (int colour = 1; colour <= 6; ++colour) {
        const std::string number = std::to_string(colour);
        if (!WritePicture(folder / (number + ".bmp"), 80, 40, BallPixel, colour)) return false;
        if (!WritePicture(folder / (number + "-d.bmp"), 30, 30, PreviewPixel, colour)) return false;
    }
    return true;
}

bool PreparePictures(const std::filesystem::path& folder, const std::filesystem::path& artwork) {
    std::error_code error;
    if (!std::filesystem::exists(artwork / "pole.bmp", error)) return WritePictureFixture(folder);
    std::filesystem::create_directories(folder, error);
    for (const auto& entry : std::filesystem::directory_iterator(artwork, error)) {
        if (entry.path().extension() != ".bmp") continue;
        std::filesystem::copy_file(entry.path(), folder / entry.path().filename(),
                                   std::filesystem::copy_options::overwrite_existing, error);
        if (error) return false;
    }
    return true;
}
