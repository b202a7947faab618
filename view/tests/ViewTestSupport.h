// Helpers of the view and application tests: a scratch run folder with the
// game's pictures, a fixed clock, and pictures as Qt images.
#pragma once

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <string>

#include "tests/support/Files.h"
#include "records/tests/GuiTestSupport.h"

class CDIB;

// A fresh folder, made the current folder for the object's lifetime and
// removed afterwards.  With Pictures::artwork it holds res1/ with the
// game's pictures and an empty records file, as the build's run folder does.
class ScratchRunFolder : public CScratchFolder {
public:
    enum class Pictures { artwork, none };

    explicit ScratchRunFolder(Pictures pictures = Pictures::artwork);

    bool Ready() const { return m_bReady; }

private:
    bool m_bReady = false;
};

// Writes the game's pictures into `folder` (which must exist).
bool WriteArtworkInto(const std::filesystem::path& folder);

// Fixes the clock at `seconds` for the object's lifetime: games started
// meanwhile get that seed.
class FixedClock {
public:
    explicit FixedClock(std::int64_t seconds);
    ~FixedClock();
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
};

// An 8-bit picture in its own colours.
// The point of a cell's centre in view coordinates.
QPoint CellCentre(int cell);

QImage ImageOf(const CDIB& picture);
// A picture file of the run folder ("res1/pole.bmp"); null when unreadable.
QImage LoadPicture(const std::string& fileName);
