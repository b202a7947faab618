#include "platform/core/Trace.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

std::mutex g_traceMutex;
TraceCapture* g_pCapture = nullptr;

}  // namespace

void Trace(std::string_view text) {
    const std::lock_guard lock(g_traceMutex);
    if (g_pCapture != nullptr) g_pCapture->m_lines.emplace_back(text);
    // Looked up every time so that a test or a debugger session can switch
    // the channel on without restarting.
    if (std::getenv("VELMOR_TRACE") != nullptr) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
}

TraceCapture::TraceCapture() {
    const std::lock_guard lock(g_traceMutex);
    m_pOuter = g_pCapture;
    g_pCapture = this;
}

TraceCapture::~TraceCapture() {
    const std::lock_guard lock(g_traceMutex);
    g_pCapture = m_pOuter;
}

bool TraceCapture::Contains(std::string_view text) const {
    for (const std::string& line : m_lines) {
        if (line == text) return true;
    }
    return false;
}
