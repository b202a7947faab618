#include "tests/support/PictureFixture.h"

#include <functional>
#include <string>
#include <system_error>

#include "gfx/DIB.h"

namespace {

bool WritePicture(const std::filesystem::path& file, int width, int height, const std::function<int(int, int)>& at) {
    CDIB picture;
    if (!picture.Create(width, height)) return false;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) *picture.GetPixelAddress(x, y) = static_cast<BYTE>(at(x, y));
    }
    return picture.Save(file.string().c_str()) != FALSE;
}

}  // namespace

bool WritePictureFixture(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const auto board = [](int x, int y) { return x % 40 == 0 || y % 40 == 0 ? kBoardIndex + 1 : kBoardIndex; };
    if (!WritePicture(folder / "pole.bmp", 360, 360, board)) return false;
    for (int colour = 1; colour <= 6; ++colour) {
        const auto ball = [colour](int x, int y) {
            const int dx = x % 40 - 20;
            return dx * dx + (y - 20) * (y - 20) <= 15 * 15 ? BallIndex(colour, x / 40) : 0;
        };
        const auto preview = [colour](int, int) { return BallIndex(colour, 0); };
        const std::string number = std::to_string(colour);
        if (!WritePicture(folder / (number + ".bmp"), 80, 40, ball)) return false;
        if (!WritePicture(folder / (number + "-d.bmp"), 30, 30, preview)) return false;
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
