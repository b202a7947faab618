// Runs the window layer's tests headless: offscreen platform, private
// runtime folder, one application object for all tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <unistd.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string runtime = "/tmp/velmor-ui-test-XXXXXX";
    if (mkdtemp(runtime.data()) != nullptr) setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    const int result = RUN_ALL_TESTS();
    rmdir(runtime.c_str());
    return result;
}
