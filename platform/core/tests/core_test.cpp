// The C runtime stand-ins and the trace channel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/core/Crt.h"
#include "platform/core/Trace.h"

// The generator against reference values worked out apart from this code.
TEST(Crt, RandMatchesTheClassicSequence) {
    const std::pair<unsigned int, std::vector<int>> cases[] = {{1, {41, 18467, 6334, 26500, 19169}},
                                                               {12345, {7584, 19164, 25795, 22125, 5828}}};
    for (const auto& [seed, expected] : cases) {
        crt::srand(seed);
        std::vector<int> drawn;
        for (std::size_t index = 0; index < expected.size(); ++index) drawn.push_back(crt::rand());
        EXPECT_EQ(drawn, expected) << "seed " << seed;
    }
}

TEST(Trace, SilentUnlessSwitchedOn) {
    const char* saved = std::getenv("VELMOR_TRACE");
    const std::string savedValue = saved != nullptr ? saved : "";
    for (const bool on : {false, true}) {
        if (on) setenv("VELMOR_TRACE", "1", 1);
        else unsetenv("VELMOR_TRACE");
        testing::internal::CaptureStderr();
        Trace("Not a bitmap file");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), on ? "Not a bitmap file\n" : "");
    }
    if (saved != nullptr) setenv("VELMOR_TRACE", savedValue.c_str(), 1);
    else unsetenv("VELMOR_TRACE");
}
