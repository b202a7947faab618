// The entry of every window test program: offscreen unless told otherwise,
// with a private runtime folder, and one application object for all tests.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime == nullptr || runtime[0] == '\0') {
        const std::string folder = (std::filesystem::temp_directory_path() / "velmor-gui-test-runtime").string();
        mkdir(folder.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
