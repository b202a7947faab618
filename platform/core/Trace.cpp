#include "platform/core/Trace.h"

#include <cstdio>
#include <cstdlib>

void Trace(std::string_view text) {
    // Looked up every time, so that a test or a debugger can switch it on.
    if (std::getenv("VELMOR_TRACE") != nullptr) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
}
