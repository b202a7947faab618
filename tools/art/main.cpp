// velmor-art: draws the game's pictures of one ball set into a folder, each
// also at twice the size beside it (pole@2x.bmp and so on), or the program's
// icon as PNG files for desktop menus.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "gfx/artwork/Artwork.h"
#include "gfx/artwork/Icon.h"
#include "gfx/artwork/Png.h"

namespace {

constexpr int kIconSizes[] = {16, 32, 48, 256};

int Usage() {
    std::fputs(
        "usage: velmor-art DIR                write the game's pictures (plain balls) into DIR,\n"
        "                                     each also at twice the size as NAME@2x.bmp\n"
        "       velmor-art --balls SET DIR    write them with the ball set SET: plain, or\n"
        "                                     marked (each colour with a shape of its own)\n"
        "       velmor-art --icons DIR        write velmor-16.png, -32, -48 and -256 into DIR\n",
        stderr);
    return 2;
}

std::optional<art::BallSet> BallSetNamed(std::string_view name) {
    if (name == "plain") {
        return art::BallSet::plain;
    }
    if (name == "marked") {
        return art::BallSet::marked;
    }
    return std::nullopt;
}

bool MakeDirectory(const std::string& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error || !std::filesystem::is_directory(directory)) {
        std::fprintf(stderr, "velmor-art: cannot make the folder %s\n", directory.c_str());
        return false;
    }
    return true;
}

int WritePictures(const std::string& directory, art::BallSet set) {
    std::string failedFile;
    if (!art::WriteArtwork(directory, set, failedFile)) {
        std::fprintf(stderr, "velmor-art: cannot write %s/%s\n", directory.c_str(), failedFile.c_str());
        return 1;
    }
    return 0;
}

int WriteIcons(const std::string& directory) {
    for (const int size : kIconSizes) {
        const std::string path = directory + "/velmor-" + std::to_string(size) + ".png";
        if (!art::WriteFileBytes(path, art::EncodePng(size, size, art::DrawIcon(size)))) {
            std::fprintf(stderr, "velmor-art: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool icons = argc == 3 && std::string_view(argv[1]) == "--icons";
    const bool named = argc == 4 && std::string_view(argv[1]) == "--balls";
    const bool folderOnly = argc == 2 && argv[1][0] != '-';
    if (!icons && !named && !folderOnly) {
        return Usage();
    }
    const std::optional<art::BallSet> set = named ? BallSetNamed(argv[2]) : art::BallSet::plain;
    if (!set) {
        std::fprintf(stderr, "velmor-art: no ball set is called %s\n", argv[2]);
        return Usage();
    }
    const std::string directory = argv[argc - 1];
    if (!MakeDirectory(directory)) {
        return 1;
    }
    return icons ? WriteIcons(directory) : WritePictures(directory, *set);
}
