#include "view/tests/ViewTestSupport.h"

#include <cstdlib>
#include <fstream>

#include "gfx/DIB.h"
#include "game/BoardGame.h"
#include "gfx/artwork/Artwork.h"
#include "platform/core/Crt.h"

ScratchRunFolder::ScratchRunFolder(Pictures pictures) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmor-window-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    m_path = pattern;
    m_previous = std::filesystem::current_path();
    std::filesystem::current_path(m_path);
    if (pictures == Pictures::none) {
        m_bReady = true;
        return;
    }
    std::filesystem::create_directory(m_path / "res1");
    m_bReady = WriteArtworkInto(m_path / "res1");
    std::ofstream(m_path / "res1" / "stat.txt").flush();
}

ScratchRunFolder::~ScratchRunFolder() {
    std::error_code error;
    if (!m_previous.empty()) std::filesystem::current_path(m_previous, error);
    if (!m_path.empty()) std::filesystem::remove_all(m_path, error);
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
