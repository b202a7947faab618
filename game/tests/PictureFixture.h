// Test support: a scratch folder to run the game in, and a small set of the
// game's pictures to put in its res1/ when the build has made no artwork.
#pragma once

#include <filesystem>

// Ball pictures are 80 x 40 with two 40 x 40 frames; the top-left pixel is
// the transparent index 0 and each frame holds an opaque disc around its
// centre, in index BallIndex(colour, frame).
constexpr int BallIndex(int colour, int frame) {
    return colour * 10 + frame * 5;
}
inline constexpr int kBoardIndex = 200;

// Writes pole.bmp, 1.bmp .. 6.bmp and 1-d.bmp .. 6-d.bmp into `folder`.
bool WritePictureFixture(const std::filesystem::path& folder);

// Fills `folder` with the build's artwork when `artwork` holds it, else with
// the fixture.
bool PreparePictures(const std::filesystem::path& folder, const std::filesystem::path& artwork);

// A fresh folder under the system's temporary folder, made the current
// folder for the object's lifetime and removed afterwards.
class CScratchFolder {
public:
    CScratchFolder();
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};
