// Helpers shared by the artwork tests: the picture folder written once per
// test run, and loading its files back through CDIB.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "gfx/DIB.h"
#include "gfx/artwork/Artwork.h"
#include "tests/support/Files.h"

namespace art::testing {

// A folder holding everything velmor-art writes, made on first use.
inline const std::filesystem::path& ArtworkFolder() {
    static const CScratchFolder folder;
    static const bool written = [] {
        std::string failedFile;
        const bool ok = WriteArtwork(folder.Path().string(), failedFile);
        EXPECT_TRUE(ok) << "could not write " << failedFile;
        return ok;
    }();
    static_cast<void>(written);
    return folder.Path();
}

// The named file of the artwork folder, read by CDIB; null when it fails.
inline std::unique_ptr<CDIB> LoadArtwork(const std::string& name) {
    auto dib = std::make_unique<CDIB>();
    const std::string path = (ArtworkFolder() / name).string();
    if (!dib->Load(path.c_str())) {
        return nullptr;
    }
    return dib;
}

inline BYTE PixelOf(const CDIB& dib, int x, int y) {
    return *dib.GetPixelAddress(x, y);
}

}  // namespace art::testing
