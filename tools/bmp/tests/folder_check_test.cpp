// `check` on picture folders: a good one made here with CDIB, and folders
// broken one way each.
#include <gtest/gtest.h>

#include <functional>

#include "gfx/DIB.h"
#include "tools/bmp/tests/TestPictures.h"

using namespace testpictures;

namespace {

constexpr BYTE kTransparent = 0;
constexpr BYTE kBoardColour = 7;
constexpr BYTE kRingColour = 8;

// The table the board and the balls share: 1 to 6 the balls, 7 the board.
void PaintTable(CDIB& picture) {
    RGBQUAD* table = picture.GetColorTable();
    const RGBQUAD special[] = {{255, 0, 255, 0}, {0, 0, 200, 0},   {0, 200, 0, 0},  {200, 0, 0, 0},    {0, 200, 200, 0},
                               {200, 0, 200, 0}, {200, 200, 0, 0}, {90, 90, 90, 0}, {250, 250, 250, 0}};
    for (std::size_t i = 0; i < std::size(special); ++i) table[i] = special[i];
}

void Fill(CDIB& picture, int x0, int y0, int x1, int y1, BYTE index) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) *picture.GetPixelAddress(x, y) = index;
    }
}

void Disc(CDIB& picture, int cx, int cy, int radius, BYTE index) {
    for (int y = cy - radius; y <= cy + radius; ++y) {
        for (int x = cx - radius; x <= cx + radius; ++x) {
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) {
                *picture.GetPixelAddress(x, y) = index;
            }
        }
    }
}

void SaveBoard(const std::string& path, int side = 360) {
    CDIB board;
    ASSERT_TRUE(board.Create(side, side));
    PaintTable(board);
    Fill(board, 0, 0, side, side, kBoardColour);
    ASSERT_TRUE(board.Save(path.c_str()));
}

// Two frames; the selected one ringed.  `change` may alter it before saving.
void SaveBall(const std::string& path, BYTE colour, const std::function<void(CDIB&)>& change = {}) {
    CDIB ball;
    ASSERT_TRUE(ball.Create(80, 40));
    PaintTable(ball);
    Fill(ball, 0, 0, 80, 40, kTransparent);
    Disc(ball, 20, 20, 15, colour);
    Disc(ball, 60, 20, 17, kRingColour);
    Disc(ball, 60, 20, 15, colour);
    if (change) change(ball);
    ASSERT_TRUE(ball.Save(path.c_str()));
}

// Previews may have any depth: the odd ones are 24-bit files.
void SavePreview(const std::string& path, BYTE colour, int width = 30, int height = 30) {
    if (colour % 2 == 1) {
        const int rowBytes = (width * 3 + 3) / 4 * 4;
        WriteWholeFile(path, Bmp(40, width, height, 24, {}, std::vector<BYTE>(std::size_t(rowBytes * height), 99)));
        return;
    }
    CDIB preview;
    ASSERT_TRUE(preview.Create(width, height));
    PaintTable(preview);
    Fill(preview, 0, 0, width, height, colour);
    ASSERT_TRUE(preview.Save(path.c_str()));
}

void MakeGoodFolder(const CScratchFolder& folder) {
    SaveBoard(folder / "pole.bmp");
    for (BYTE colour = 1; colour <= 6; ++colour) {
        SaveBall(folder / (std::to_string(colour) + ".bmp"), colour);
        SavePreview(folder / (std::to_string(colour) + "-d.bmp"), colour);
    }
}

// A folder made to the rules, and folders broken one way each: every
// problem gets its own line.
TEST(BmpToolCheck, EachProblemGetsItsOwnLine) {
    const struct {
        const char* problem;
        std::function<void(const CScratchFolder&)> breakFolder;
    } cases[] = {
        // Colours the balls do not use may differ from the board's; previews only have to fit.
        {nullptr,
         [](const CScratchFolder& f) {
             SaveBall(f / "2.bmp", 2, [](CDIB& ball) { ball.GetColorTable()[200] = {1, 2, 3, 0}; });
             SavePreview(f / "6-d.bmp", 6, 40, 45);
         }},
        {"4-d.bmp: missing", [](const CScratchFolder& f) { std::filesystem::remove(f / "4-d.bmp"); }},
        {"pole.bmp: 200x200, must be 360x360 (9x9 cells of 40 pixels)",
         [](const CScratchFolder& f) { SaveBoard(f / "pole.bmp", 200); }},
        {"3.bmp: 124-byte header (V5) is not read; save as a Windows BMP with a 40-byte header",
         [](const CScratchFolder& f) {
             WriteWholeFile(f / "3.bmp", Bmp(124, 80, 40, 8, std::vector<RGBQUAD>(256), std::vector<BYTE>(80 * 40)));
         }},
        {"5.bmp: 24 bits per pixel, must be 8 (balls are copied into the board byte by byte)",
         [](const CScratchFolder& f) {
             WriteWholeFile(f / "5.bmp", Bmp(40, 80, 40, 24, {}, std::vector<BYTE>(240 * 40, 1)));
         }},
        {"1.bmp: colour table differs from pole.bmp's at 1 index(es) the ball uses (first 1: #0000C8 here, "
         "#C80000 in pole.bmp); balls are copied by index and would show pole.bmp's colours",
         [](const CScratchFolder& f) {
             SaveBall(f / "1.bmp", 1, [](CDIB& ball) { ball.GetColorTable()[1] = {200, 0, 0, 0}; });
         }},
        {"2.bmp: the centre (60,20) of the selected frame has index 0, the transparent index set by the "
         "top-left pixel",
         [](const CScratchFolder& f) {
             SaveBall(f / "2.bmp", 2, [](CDIB& ball) { Fill(ball, 40, 0, 80, 40, kTransparent); });
         }},
        {"6.bmp: every pixel has index 6, the transparent index set by the top-left pixel, so no ball is "
         "drawn",
         [](const CScratchFolder& f) { SaveBall(f / "6.bmp", 6, [](CDIB& ball) { Fill(ball, 0, 0, 80, 40, 6); }); }},
        {"2-d.bmp: 41x40, must be at most 40x45 to fit its place above the board",
         [](const CScratchFolder& f) { SavePreview(f / "2-d.bmp", 2, 41, 40); }},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.problem != nullptr ? testCase.problem : "usable");
        const CScratchFolder folder;
        MakeGoodFolder(folder);
        testCase.breakFolder(folder);
        const ToolResult result = RunTool({"check", folder.Path().string()});
        const std::string name = folder.Path().string();
        EXPECT_EQ(result.status, testCase.problem != nullptr ? 1 : 0);
        const std::vector<std::string> expected = testCase.problem != nullptr
                                                      ? std::vector<std::string>{testCase.problem,
                                                                                 name + ": not usable (1 problem)"}
                                                      : std::vector<std::string>{name + ": usable picture folder"};
        EXPECT_EQ(Lines(result.out), expected);
    }
}

}  // namespace
