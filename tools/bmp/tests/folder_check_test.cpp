// `check` on picture folders: the game's own pictures, and copies of them
// changed in ways the game can live with or broken one way each.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "gfx/DIB.h"
#include "tools/bmp/tests/TestPictures.h"

using namespace testpictures;

namespace {

// Loads a picture, lets `change` alter it and saves it again.
void Change(const std::string& path, const std::function<void(CDIB&)>& change) {
    CDIB picture;
    ASSERT_TRUE(picture.Load(path.c_str()));
    change(picture);
    ASSERT_TRUE(picture.Save(path.c_str()));
}

// Makes the picture anew at another size, with its colour table.
void Resize(const std::string& path, int width, int height) {
    CDIB old;
    ASSERT_TRUE(old.Load(path.c_str()));
    CDIB picture;
    ASSERT_TRUE(picture.Create(width, height));
    std::copy_n(old.GetColorTable(), 256, picture.GetColorTable());
    ASSERT_TRUE(picture.Save(path.c_str()));
}

void Fill(CDIB& picture, int x0, int x1, BYTE index) {
    for (int y = 0; y < picture.ImageHeight(); ++y)
        for (int x = x0; x < x1; ++x) *picture.GetPixelAddress(x, y) = index;
}

// Each problem gets its own line (compared up to the picture's own values).
TEST(BmpToolCheck, EachProblemGetsItsOwnLine) {
    const struct {
        const char* problem;
        std::function<void(const CScratchFolder&)> breakFolder;
    } cases[] = {
        // Colours the balls do not use may differ from the board's; previews
        // may have any depth and only have to fit.
        {nullptr,
         [](const CScratchFolder& f) {
             Change(f / "2.bmp", [](CDIB& ball) {
                 std::set<BYTE> used;
                 for (int y = 0; y < 40; ++y)
                     for (int x = 0; x < 80; ++x) used.insert(*ball.GetPixelAddress(x, y));
                 BYTE unused = 0;
                 while (used.count(unused) != 0) ++unused;
                 ball.GetColorTable()[unused] = {1, 2, 3, 0};
             });
             Resize(f / "6-d.bmp", 40, 45);
             WriteWholeFile(f / "1-d.bmp", BuildBmp({.width = 30, .height = 30, .bitCount = 24}));
         }},
        {"4-d.bmp: missing", [](const CScratchFolder& f) { std::filesystem::remove(f / "4-d.bmp"); }},
        {"pole.bmp: 200x200, must be 360x360 (9x9 cells of 40 pixels)",
         [](const CScratchFolder& f) { Resize(f / "pole.bmp", 200, 200); }},
        {"3.bmp: 124-byte header (V5) is not read; save as a Windows BMP with a 40-byte header",
         [](const CScratchFolder& f) {
             WriteWholeFile(f / "3.bmp", BuildBmp({.headerSize = 124, .width = 80, .height = 40}));
         }},
        {"5.bmp: 24 bits per pixel, must be 8 (balls are copied into the board byte by byte)",
         [](const CScratchFolder& f) {
             WriteWholeFile(f / "5.bmp", BuildBmp({.width = 80, .height = 40, .bitCount = 24}));
         }},
        {"1.bmp: colour table differs from pole.bmp's at 1 index(es) the ball uses (first ",
         [](const CScratchFolder& f) {
             Change(f / "1.bmp", [](CDIB& ball) {
                 RGBQUAD& entry = ball.GetColorTable()[*ball.GetPixelAddress(20, 20)];
                 entry.rgbBlue ^= 0x80;
             });
         }},
        {"2.bmp: the centre (60,20) of the selected frame has index ",
         [](const CScratchFolder& f) {
             Change(f / "2.bmp", [](CDIB& ball) { Fill(ball, 40, 80, *ball.GetPixelAddress(0, 0)); });
         }},
        {"6.bmp: every pixel has index 6, the transparent index set by the top-left pixel, so no ball is drawn",
         [](const CScratchFolder& f) { Change(f / "6.bmp", [](CDIB& ball) { Fill(ball, 0, 80, 6); }); }},
        {"2-d.bmp: 41x40, must be at most 40x45 to fit its place above the board",
         [](const CScratchFolder& f) { Resize(f / "2-d.bmp", 41, 40); }},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.problem != nullptr ? testCase.problem : "usable");
        const CScratchFolder folder;
        ASSERT_TRUE(CopyGamePictures(folder.Path()));
        testCase.breakFolder(folder);
        const ToolResult result = RunTool({"check", folder.Path().string()});
        const std::string name = folder.Path().string();
        const std::vector<std::string> lines = Lines(result.out);
        EXPECT_EQ(result.status, testCase.problem != nullptr ? 1 : 0);
        if (testCase.problem == nullptr) {
            EXPECT_EQ(lines, std::vector<std::string>{name + ": usable picture folder"});
            continue;
        }
        ASSERT_EQ(lines.size(), 2u) << result.out;
        EXPECT_TRUE(lines[0].starts_with(testCase.problem)) << lines[0];
        EXPECT_EQ(lines[1], name + ": not usable (1 problem)");
    }
}

}  // namespace
