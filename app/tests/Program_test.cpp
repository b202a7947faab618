// The program from outside: its options, no display, its start picture.
#include "app/Resources.h"
#include "app/tests/AppTestSupport.h"

TEST(ProgramTest, OptionsThatNeedNoDisplay) {
    std::string withoutDisplay;
    for (const char* name : kDisplayVariables) withoutDisplay += std::string("-u ") + name + " ";
    const struct {
        std::string environment;
        std::string arguments;
        int exitCode;
        std::string output;  // where it starts
        std::string errors;
    } cases[] = {
        {"", "--version", 0, "velmor 1.0.0.1\n", ""},
        {"", "--help", 0, "Usage: velmor [--seed N]\n", ""},
        {"", "--seed soon", 2, "", "velmor: --seed needs a whole number"},
        {"", "", 1, "", std::string("velmor") + kNoDisplayMessage},
        // A display named that Qt cannot open (Wayland without X): the same message, and not Qt's abort.
        {"WAYLAND_DISPLAY=velmor-no-such-display", "", 1, "", std::string("velmor") + kNoDisplayMessage},
    };
    for (const auto& test : cases) {
        const std::string program = " '" VELMOR_PROGRAM "' ";
        const ProgramRun run = RunCommand(withoutDisplay + test.environment + program + test.arguments, ".");
        EXPECT_EQ(run.exitCode, test.exitCode);
        EXPECT_EQ(run.output.substr(0, test.output.size()), test.output);
        EXPECT_EQ(run.errors.substr(0, test.errors.size()), test.errors);
    }
}

// Without pictures one line says where it looked and what to do; with them,
// the start picture for a fixed seed is the stored one.
TEST(ProgramTest, StartPictureForAFixedSeedOrWhyThereIsNone) {
    for (const bool pictures : {false, true}) {
        const ScratchRunFolder folder(pictures);
        const ProgramRun run = RunCommand("QT_QPA_PLATFORM=offscreen '" VELMOR_PROGRAM "' --seed " +
                                              std::to_string(kTestSeed) + " --screenshot start.png",
                                          folder.Path());
        EXPECT_EQ(run.exitCode, 0);
        if (!pictures) {
            EXPECT_EQ(run.errors, "velmor: cannot read res1/pole.bmp in " + folder.Path().string() +
                                      ": start the installed launcher (velmor), or make the pictures there with: "
                                      "velmor-art res1\n");
            continue;
        }
        EXPECT_EQ(run.errors, "");
        const QImage window = QImage("start.png").convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(window.width(), 364);
        if (std::getenv("VELMOR_UPDATE_GOLDEN") != nullptr) {
            ASSERT_TRUE(ViewPartOf(window).save(QString::fromStdString(GoldenPath())));
            GTEST_SKIP() << "stored a new start picture in " << GoldenPath();
        }
        EXPECT_EQ(CompareWithGolden(ViewPartOf(window)), "");
    }
}
