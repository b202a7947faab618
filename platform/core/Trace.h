// The diagnostic channel.  Silent unless the environment variable
// VELMOR_TRACE is set (to anything), then each text is one line on stderr.
// Never meant for the user.
#pragma once

#include <string>
#include <string_view>
#include <vector>

void Trace(std::string_view text);

// While one exists, every traced text is also recorded in it (the newest
// capture only, when they nest).  For tests.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    const std::vector<std::string>& Lines() const { return m_lines; }
    bool Contains(std::string_view text) const;

private:
    friend void Trace(std::string_view text);
    std::vector<std::string> m_lines;
    TraceCapture* m_pOuter;
};
