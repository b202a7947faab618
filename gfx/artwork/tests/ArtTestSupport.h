// Helpers shared by the artwork tests: the picture folder written once per
// test run, and loading its files back through CDIB.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include <unistd.h>

#include "gfx/DIB.h"
#include "gfx/artwork/Artwork.h"

namespace art::testing {

// A folder of this process's own (tests run in parallel processes), removed
// when the process ends.
class ScratchFolder {
public:
    ScratchFolder()
        : m_path(std::filesystem::path(::testing::TempDir()) /
                 ("velmor-artwork-test-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// A folder holding everything velmor-art writes, made on first use.
inline const std::filesystem::path& ArtworkFolder() {
    static const ScratchFolder folder;
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
