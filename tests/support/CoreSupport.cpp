#include "tests/support/CoreSupport.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <unistd.h>

CTraceCapture::CTraceCapture() : m_file(std::tmpfile()) {
    if (m_file == nullptr) std::abort();  // no test can run without it
    if (const char* setting = std::getenv("VELMOR_TRACE")) m_savedSetting = setting;
    ::setenv("VELMOR_TRACE", "1", 1);
    std::fflush(stderr);
    m_nSavedStderr = ::dup(STDERR_FILENO);
    ::dup2(::fileno(m_file), STDERR_FILENO);
}

CTraceCapture::~CTraceCapture() {
    std::fflush(stderr);
    ::dup2(m_nSavedStderr, STDERR_FILENO);
    ::close(m_nSavedStderr);
    if (m_savedSetting) ::setenv("VELMOR_TRACE", m_savedSetting->c_str(), 1);
    else ::unsetenv("VELMOR_TRACE");
    std::fclose(m_file);
}

std::vector<std::string> CTraceCapture::Lines() const {
    std::fflush(stderr);
    // pread leaves the offset, which stderr shares, where the next line goes.
    std::string text;
    char chunk[4096];
    for (ssize_t got = 0;
         (got = ::pread(::fileno(m_file), chunk, sizeof chunk, static_cast<off_t>(text.size()))) > 0;) {
        text.append(chunk, static_cast<std::size_t>(got));
    }
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

bool CTraceCapture::Contains(std::string_view line) const {
    const std::vector<std::string> lines = Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}
