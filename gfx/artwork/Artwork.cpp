#include "gfx/artwork/Artwork.h"

#include <array>
#include <cstddef>

#include "gfx/HiResName.h"
#include "gfx/artwork/ArtPalette.h"
#include "gfx/artwork/ArtRenders.h"
#include "gfx/artwork/ArtScheme.h"
#include "platform/core/File.h"
#include "platform/core/Palette.h"

namespace art {

namespace {

bool FillPalette(CPalette& palette) {
    std::array<PALETTEENTRY, ArtPalette::kSize> entries{};
    const auto& colours = ArtPalette::Default().Colours();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i] = {colours[i].red, colours[i].green, colours[i].blue, 0};
    }
    return palette.CreatePalette(entries.data(), static_cast<int>(entries.size())) != FALSE;
}

// The pictures drawn at `scale`; those at twice the size are named as twins.
void AppendPictures(BallSet set, int scale, std::vector<ArtworkFile>& files) {
    const auto named = [scale](const std::string& name) { return scale == 1 ? name : HiResName(name); };
    files.push_back({named("pole.bmp"), BoardPicture(scale)});
    for (int colour = 1; colour <= kBallColourCount; ++colour) {
        files.push_back({named(std::to_string(colour) + ".bmp"), BallPicture(set, colour, scale)});
    }
    for (int colour = 1; colour <= kBallColourCount; ++colour) {
        files.push_back({named(std::to_string(colour) + "-d.bmp"), PreviewPicture(set, colour, scale)});
    }
}

}  // namespace

std::vector<ArtworkFile> ArtworkFiles(BallSet set) {
    std::vector<ArtworkFile> files;
    AppendPictures(set, 1, files);
    AppendPictures(set, kHiResScale, files);
    return files;
}

BOOL MakeDib(const IndexedPicture& picture, CDIB& dib) {
    CPalette palette;
    if (!FillPalette(palette) || !dib.Create(picture.width, picture.height, &palette)) {
        return FALSE;
    }
    for (int y = 0; y < picture.height; ++y) {
        BYTE* row = dib.GetPixelAddress(0, y);
        for (int x = 0; x < picture.width; ++x) {
            row[x] = picture.At(x, y);
        }
    }
    return TRUE;
}

bool WriteArtwork(const std::string& directory, BallSet set, std::string& failedFile) {
    for (const ArtworkFile& file : ArtworkFiles(set)) {
        const std::string path = directory + "/" + file.name;
        CDIB dib;
        CFile output;
        const bool written = MakeDib(file.picture, dib) &&
                             output.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite) && dib.Save(&output);
        output.Close();
        if (!written) {
            failedFile = file.name;
            return false;
        }
    }
    return true;
}

}  // namespace art
