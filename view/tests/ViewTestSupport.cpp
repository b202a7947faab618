#include "view/tests/ViewTestSupport.h"

#include <fstream>

#include "gfx/DIB.h"
#include "game/BoardGame.h"
#include "gfx/artwork/Artwork.h"
#include "platform/core/Crt.h"

ScratchRunFolder::ScratchRunFolder(Pictures pictures) : CScratchFolder(Enter::yes) {
    if (Path().empty()) return;
    if (pictures == Pictures::none) {
        m_bReady = true;
        return;
    }
    std::filesystem::create_directory(Path() / "res1");
    m_bReady = WriteArtworkInto(Path() / "res1");
    std::ofstream(Path() / "res1" / "stat.txt").flush();
}

FixedClock::FixedClock(std::int64_t seconds) {
    crt::SetClock([seconds] { return seconds; });
}

FixedClock::~FixedClock() {
    crt::SetClock({});
}

QPoint CellCentre(int cell) {
    return {cell % 9 * 40 + 20, cell / 9 * 40 + 20 + CBoardGame::kBoardTop};
}

QImage ImageOf(const CDIB& picture) {
    const int width = picture.ImageWidth();
    const int height = picture.ImageHeight();
    QImage image(width, height, QImage::Format_RGB32);
    const RGBQUAD* table = picture.GetColorTable();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const BYTE* pixel = picture.GetPixelAddress(x, y);
            const RGBQUAD& colour = table[pixel == nullptr ? 0 : *pixel];
            image.setPixel(x, y, qRgb(colour.rgbRed, colour.rgbGreen, colour.rgbBlue));
        }
    }
    return image;
}

QImage LoadPicture(const std::string& fileName) {
    CDIB picture;
    if (!picture.Load(fileName.c_str())) return {};
    return ImageOf(picture);
}


bool WriteArtworkInto(const std::filesystem::path& folder) {
    std::string failedFile;
    return art::WriteArtwork(folder.string(), failedFile);
}
