// The diagnostic channel.  Silent unless the environment variable
// VELMOR_TRACE is set (to anything), then each text is one line on stderr.
// Never meant for the user.
#pragma once

#include <string_view>

void Trace(std::string_view text);
