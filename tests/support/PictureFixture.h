// A small set of the game's pictures, written by tests into a res1/ folder,
// for when the build has made no artwork or a test needs known pixels.
#pragma once

#include <filesystem>

// Ball pictures are 80 x 40 with two 40 x 40 frames; the top-left pixel is
// the transparent index 0 and each frame holds an opaque disc around its
// centre, in index BallIndex(colour, frame).
constexpr int BallIndex(int colour, int frame) { return colour * 10 + frame * 5; }
inline constexpr int kBoardIndex = 200;

// Writes pole.bmp, 1.bmp .. 6.bmp and 1-d.bmp .. 6-d.bmp into `folder`.
bool WritePictureFixture(const std::filesystem::path& folder);

// Fills `folder` with the build's artwork when `artwork` holds it, else with
// the fixture.
bool PreparePictures(const std::filesystem::path& folder, const std::filesystem::path& artwork);
