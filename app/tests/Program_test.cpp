// The program from the outside: what it says without a display, and the
// picture it starts with for a fixed seed.
#include <QDir>
#include <QImage>

#include "app/AboutDlg.h"
#include "app/Resources.h"
#include "app/tests/AppTestSupport.h"
#include "platform/ui/ResourceRegistry.h"

TEST(ProgramTest, VersionAndHelpNeedNoDisplay) {
    const ProgramRun version = RunProgram({"--version"}, EnvironmentWithoutDisplay());
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, "velmor 1.0.0.1\n");
    const ProgramRun help = RunProgram({"--help"}, EnvironmentWithoutDisplay());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("--seed N"), std::string::npos);
}

TEST(ProgramTest, VersionRecordAndAboutBoxNameTheSameVersion) {
    RegisterGameResources();
    const VersionRecord* record = FindVersionResource();
    ASSERT_NE(record, nullptr);
    for (const WORD* parts : {record->fileVersion, record->productVersion}) {
        EXPECT_EQ(std::vector<WORD>(parts, parts + 4), (std::vector<WORD>{1, 0, 0, 1}));
    }
    for (const auto& [name, value] : record->strings) {
        if (name == "FileVersion" || name == "ProductVersion") {
            EXPECT_EQ(value, "1, 0, 0, 1") << name;
        }
    }
    EXPECT_EQ(CAboutDlg::Template().items.at(1).text, "velmor 1.0");
}

TEST(ProgramTest, WithoutADisplayItSaysSoAndEnds) {
    const ProgramRun run = RunProgram({}, EnvironmentWithoutDisplay());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.errors, "velmor needs a graphical display; none was found (DISPLAY/WAYLAND_DISPLAY are unset)\n");
}

TEST(ProgramTest, BadOptionsAreRefused) {
    const ProgramRun run = RunProgram({"--seed", "soon"}, EnvironmentWithoutDisplay());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.errors.find("--seed"), std::string::npos);
}

// Started without pictures, one line on standard error says where it looked
// and what to do; with them, nothing is said.
TEST(ProgramTest, StartWithoutPicturesSaysWhyInOneLine) {
    for (const auto pictures : {ScratchRunFolder::Pictures::none, ScratchRunFolder::Pictures::artwork}) {
        const ScratchRunFolder folder(pictures);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        const ProgramRun run = RunProgram({"--screenshot", "shot.png"}, environment, folder.Path().string());
        EXPECT_EQ(run.exitCode, 0);
        if (pictures == ScratchRunFolder::Pictures::artwork) {
            EXPECT_EQ(run.errors, "");
            continue;
        }
        EXPECT_EQ(run.errors, "velmor: cannot read res1/pole.bmp in " + folder.Path().string() +
                                  ": start the installed launcher (velmor), or make the pictures there with: "
                                  "velmor-art res1\n");
    }
}

TEST(ProgramTest, StartPictureForAFixedSeedMatchesTheStoredOne) {
    const ScratchRunFolder folder;
    ASSERT_TRUE(folder.Ready());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    const std::string shot = (folder.Path() / "start.png").string();
    const ProgramRun run =
        RunProgram({"--seed", QString::number(kTestSeed), "--screenshot", QString::fromStdString(shot)}, environment,
                   folder.Path().string());
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const QImage window = QImage(QString::fromStdString(shot)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window.width(), 364);
    const QImage view = ViewPartOf(window);
    if (std::getenv("VELMOR_UPDATE_GOLDEN") != nullptr) {
        ASSERT_TRUE(view.save(QString::fromStdString(GoldenPath())));
        GTEST_SKIP() << "stored a new start picture in " << GoldenPath();
    }
    EXPECT_EQ(CompareWithGolden(view), "");
}
