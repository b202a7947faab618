#include "tools/bmp/FolderCheck.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "gfx/DIB.h"
#include "gfx/HiResName.h"
#include "tools/bmp/BmpInspection.h"

namespace {

constexpr int kBoardSide = 360;
constexpr int kBallWidth = 80;
constexpr int kBallHeight = 40;
constexpr int kPreviewMaxWidth = 40;
constexpr int kPreviewMaxHeight = 45;
constexpr int kColours = 6;

using Problems = std::vector<std::string>;

std::string SizeText(const CDIB& picture) {
    return std::to_string(picture.ImageWidth()) + "x" + std::to_string(picture.ImageHeight());
}

std::string ColourText(const RGBQUAD& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
    return text;
}

std::string AdviseOn(const BmpProblem& problem) {
    const std::string value = std::to_string(problem.value);
    switch (problem.kind) {
    case BmpProblemKind::emptyFile: return "the file is empty";
    case BmpProblemKind::shortFileHeader:
    case BmpProblemKind::shortInfoHeader: return "the file ends inside its headers (" + problem.text + ")";
    case BmpProblemKind::badMagic: return "not a BMP file (" + problem.text + ", BMP files start with BM)";
    case BmpProblemKind::headerSize: {
        const std::string name = HeaderSizeName(static_cast<DWORD>(problem.value));
        return value + "-byte header" + (name.empty() ? "" : " (" + name + ")") +
               " is not read; save as a Windows BMP with a 40-byte header";
    }
    case BmpProblemKind::compressed: return problem.text + " is not read; save without compression";
    case BmpProblemKind::width: return "width " + value + " is not read; a picture is at least 1 pixel wide";
    case BmpProblemKind::height: return "height 0 is not read; a picture is at least 1 pixel high";
    case BmpProblemKind::topDown:
        return "rows stored top-down (negative height) are not read; save with rows bottom-up";
    case BmpProblemKind::bitCount:
        return value + " bits per pixel is not read; save with 1, 4, 8, 16, 24 or 32 bits per pixel";
    case BmpProblemKind::colourCount: return "a table of " + value + " colours is not read; at most 256 are";
    case BmpProblemKind::pixelDataTooLarge: return "pixel data over 256 MiB is not read";
    case BmpProblemKind::colourTableShort: return "the file ends inside its colour table (cut short?)";
    case BmpProblemKind::shortPixelData: return "the file ends before all pixel rows (cut short?)";
    }
    return problem.text;
}

// Why a file the reader refused cannot be used, and what to do about it,
// for someone who makes pictures.
std::string AdviseOnRefusal(const BmpReport& report) {
    if (report.problems.empty()) return "refused by the picture reader";
    std::string text;
    for (const BmpProblem& problem : report.problems) text += (text.empty() ? "" : "; ") + AdviseOn(problem);
    return text;
}

// Loads one picture of the folder, or says why it cannot be used.
std::unique_ptr<CDIB> LoadPicture(const std::filesystem::path& folder, const std::string& name, Problems& problems) {
    const std::filesystem::path path = folder / name;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        problems.push_back(name + ": missing");
        return nullptr;
    }
    if (!std::filesystem::is_regular_file(status)) {
        problems.push_back(name + ": not a file");
        return nullptr;
    }
    auto picture = std::make_unique<CDIB>();
    if (picture->Load(path.c_str())) return picture;
    std::string readError;
    const auto inspection = InspectBmpFile(path.string(), readError);
    problems.push_back(name + ": " +
                       (inspection ? AdviseOnRefusal(inspection->report) : "cannot be read (" + readError + ")"));
    return nullptr;
}

bool HasSize(const CDIB& picture, const std::string& name, int width, int height, const std::string& why,
             Problems& problems) {
    if (picture.ImageWidth() == width && picture.ImageHeight() == height) return true;
    problems.push_back(name + ": " + SizeText(picture) + ", must be " + std::to_string(width) + "x" +
                       std::to_string(height) + why);
    return false;
}

bool HasEightBits(const CDIB& picture, const std::string& name, const std::string& why, Problems& problems) {
    const int bitCount = picture.GetBitmapInfo()->bmiHeader.biBitCount;
    if (bitCount == 8) return true;
    problems.push_back(name + ": " + std::to_string(bitCount) + " bits per pixel, must be 8" + why);
    return false;
}

BYTE PixelAt(const CDIB& picture, int x, int y) { return *picture.GetPixelAddress(x, y); }

// Colour table entries are compared by their colours; the fourth byte is unused.
bool SameColour(const RGBQUAD& one, const RGBQUAD& other) {
    return one.rgbRed == other.rgbRed && one.rgbGreen == other.rgbGreen && one.rgbBlue == other.rgbBlue;
}

// The top-left pixel names the index that is never drawn; each frame (a
// square, two side by side) must show something at its centre.
void CheckTransparency(const CDIB& ball, const std::string& name, Problems& problems) {
    const BYTE transparent = PixelAt(ball, 0, 0);
    const std::string index = std::to_string(transparent);
    const int width = ball.ImageWidth();
    const int frameSide = ball.ImageHeight();
    bool anyOpaque = false;
    for (int y = 0; y < frameSide && !anyOpaque; ++y) {
        for (int x = 0; x < width && !anyOpaque; ++x) anyOpaque = PixelAt(ball, x, y) != transparent;
    }
    if (!anyOpaque) {
        problems.push_back(name + ": every pixel has index " + index +
                           ", the transparent index set by the top-left pixel, so no ball is drawn");
        return;
    }
    for (int frame = 0; frame < width / frameSide; ++frame) {
        const int x = frame * frameSide + frameSide / 2;
        const int y = frameSide / 2;
        if (PixelAt(ball, x, y) != transparent) continue;
        problems.push_back(name + ": the centre (" + std::to_string(x) + "," + std::to_string(y) + ") of the " +
                           (frame == 0 ? "normal" : "selected") + " frame has index " + index +
                           ", the transparent index set by the top-left pixel");
    }
}

// Balls are copied into the board by index, so every index a ball draws
// must have the same colour in the board's table.
void CheckSharedColours(const CDIB& ball, const CDIB& board, const std::string& name, Problems& problems) {
    std::array<bool, 256> used{};
    const BYTE transparent = PixelAt(ball, 0, 0);
    for (int y = 0; y < ball.ImageHeight(); ++y) {
        for (int x = 0; x < ball.ImageWidth(); ++x) {
            const BYTE value = PixelAt(ball, x, y);
            if (value != transparent) used[value] = true;
        }
    }
    const RGBQUAD* ballColours = ball.GetColorTable();
    const RGBQUAD* boardColours = board.GetColorTable();
    const int ballCount = ball.GetColorCount();
    const int boardCount = board.GetColorCount();
    int differing = 0;
    std::string first;
    for (int index = 0; index < 256; ++index) {
        if (!used[static_cast<std::size_t>(index)]) continue;
        const RGBQUAD& mine = ballColours[index];
        const RGBQUAD& theirs = boardColours[index];
        const bool same = index < ballCount && index < boardCount && SameColour(mine, theirs);
        if (same) continue;
        ++differing;
        if (differing == 1) {
            first = std::to_string(index) + ": " + (index < ballCount ? ColourText(mine) : "none") + " here, " +
                    (index < boardCount ? ColourText(theirs) : "none") + " in pole.bmp";
        }
    }
    if (differing == 0) return;
    problems.push_back(name + ": colour table differs from pole.bmp's at " + std::to_string(differing) +
                       " index(es) the ball uses (first " + first +
                       "); balls are copied by index and would show pole.bmp's colours");
}

// A 2x twin carries its picture's colour table: the same colours at the same
// indices, and no more or fewer of them.
bool HasColourTableOf(const CDIB& twin, const CDIB& picture, const std::string& twinName, const std::string& name,
                      Problems& problems) {
    const std::string why = "; a 2x picture carries the colour table of its 1x twin";
    const int count = picture.GetColorCount();
    if (twin.GetColorCount() != count) {
        problems.push_back(twinName + ": " + std::to_string(twin.GetColorCount()) + " colours in its table, " + name +
                           " has " + std::to_string(count) + why);
        return false;
    }
    int differing = 0;
    std::string first;
    for (int index = 0; index < count; ++index) {
        const RGBQUAD& mine = twin.GetColorTable()[index];
        const RGBQUAD& theirs = picture.GetColorTable()[index];
        if (SameColour(mine, theirs)) continue;
        ++differing;
        if (differing == 1) {
            first = std::to_string(index) + ": " + ColourText(mine) + " here, " + ColourText(theirs) + " in " + name;
        }
    }
    if (differing == 0) return true;
    problems.push_back(twinName + ": colour table differs from " + name + "'s at " + std::to_string(differing) +
                       " index(es) (first " + first + ")" + why);
    return false;
}

// The twin of picture `name` at twice the size, when the folder has one:
// twice the size of its 1x picture, of its depth and with its colour table.
// `picture` is the 1x picture if it passed its own checks, else null; a
// missing one is reported for the twin too, an unusable one only on its
// own.  Returns the twin if it matches.
std::unique_ptr<CDIB> CheckTwin(const std::filesystem::path& folder, const std::string& name, const CDIB* picture,
                                const std::string& frames, Problems& problems) {
    const std::string twinName = HiResName(name);
    std::error_code error;
    if (!std::filesystem::exists(folder / twinName, error)) return nullptr;
    if (!std::filesystem::exists(folder / name, error)) {
        problems.push_back(twinName + ": its 1x twin " + name + " is missing; a 2x picture is used only beside it");
        return nullptr;
    }
    if (picture == nullptr) return nullptr;
    auto twin = LoadPicture(folder, twinName, problems);
    if (!twin) return nullptr;
    const bool sized = HasSize(*twin, twinName, 2 * picture->ImageWidth(), 2 * picture->ImageHeight(),
                               ", twice " + name + frames, problems);
    const int bitCount = twin->GetBitmapInfo()->bmiHeader.biBitCount;
    const int pictureBitCount = picture->GetBitmapInfo()->bmiHeader.biBitCount;
    if (bitCount != pictureBitCount) {
        problems.push_back(twinName + ": " + std::to_string(bitCount) + " bits per pixel, must be " +
                           std::to_string(pictureBitCount) + " like " + name);
        return nullptr;
    }
    if (!sized || !HasColourTableOf(*twin, *picture, twinName, name, problems)) return nullptr;
    return twin;
}

// The 1x ball if it is usable, else null.
std::unique_ptr<CDIB> CheckBallPicture(const std::filesystem::path& folder, const std::string& name, const CDIB* board,
                                       Problems& problems) {
    const std::size_t known = problems.size();
    auto ball = LoadPicture(folder, name, problems);
    if (!ball) return nullptr;
    // Both checks report what they find before either ends the checking.
    const bool sized = HasSize(*ball, name, kBallWidth, kBallHeight, " (two 40x40 frames side by side)", problems);
    const bool eightBits = HasEightBits(*ball, name, " (balls are copied into the board byte by byte)", problems);
    if (!sized || !eightBits) return nullptr;
    CheckTransparency(*ball, name, problems);
    if (board != nullptr) CheckSharedColours(*ball, *board, name, problems);
    if (problems.size() != known) return nullptr;
    return ball;
}

void CheckBall(const std::filesystem::path& folder, int colour, const CDIB* board, Problems& problems) {
    const std::string name = std::to_string(colour) + ".bmp";
    const auto ball = CheckBallPicture(folder, name, board, problems);
    const auto twin = CheckTwin(folder, name, ball.get(), " (two 80x80 frames side by side)", problems);
    if (!twin) return;
    const std::string twinName = HiResName(name);
    if (PixelAt(*twin, 0, 0) != PixelAt(*ball, 0, 0)) {
        problems.push_back(twinName + ": the top-left pixel has index " + std::to_string(PixelAt(*twin, 0, 0)) +
                           ", must be " + std::to_string(PixelAt(*ball, 0, 0)) + ", the transparent index of " + name);
        return;
    }
    CheckTransparency(*twin, twinName, problems);
    if (board != nullptr) CheckSharedColours(*twin, *board, twinName, problems);
}

void CheckPreview(const std::filesystem::path& folder, int colour, Problems& problems) {
    const std::string name = std::to_string(colour) + "-d.bmp";
    auto preview = LoadPicture(folder, name, problems);
    if (preview && (preview->ImageWidth() > kPreviewMaxWidth || preview->ImageHeight() > kPreviewMaxHeight)) {
        problems.push_back(name + ": " + SizeText(*preview) +
                           ", must be at most 40x45 to fit its place above the board");
        preview.reset();
    }
    CheckTwin(folder, name, preview.get(), "", problems);
}

}  // namespace

std::vector<std::string> CheckPictureFolder(const std::string& folder) {
    Problems problems;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        problems.push_back(folder + ": not a folder");
        return problems;
    }
    auto board = LoadPicture(folder, "pole.bmp", problems);
    bool boardUsable = false;
    if (board) {
        const bool sized = HasSize(*board, "pole.bmp", kBoardSide, kBoardSide, " (9x9 cells of 40 pixels)", problems);
        if (!HasEightBits(*board, "pole.bmp", " (the balls are composed into it byte by byte)", problems)) {
            board.reset();  // its colour table means nothing to the balls
        }
        boardUsable = board && sized;
    }
    CheckTwin(folder, "pole.bmp", boardUsable ? board.get() : nullptr, " (9x9 cells of 80 pixels)", problems);
    for (int colour = 1; colour <= kColours; ++colour) CheckBall(folder, colour, board.get(), problems);
    for (int colour = 1; colour <= kColours; ++colour) CheckPreview(folder, colour, problems);
    return problems;
}
