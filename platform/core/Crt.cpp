#include "platform/core/Crt.h"

#include <ctime>
#include <utility>

namespace crt {
namespace {

std::uint32_t g_randomState = 1;  // the C runtime's state before any srand

std::function<std::int64_t()> g_clock;  // empty: the real clock

}  // namespace

void srand(unsigned int seed) { g_randomState = static_cast<std::uint32_t>(seed); }

int rand() {
    // Unsigned arithmetic wraps modulo 2^32 by definition.
    g_randomState = g_randomState * 214013u + 2531011u;
    return static_cast<int>((g_randomState >> 16) & 0x7FFFu);
}

std::int64_t time() { return g_clock ? g_clock() : static_cast<std::int64_t>(std::time(nullptr)); }

void SetClock(std::function<std::int64_t()> clock) { g_clock = std::move(clock); }

ScopedClock::ScopedClock(std::optional<std::int64_t> reading) : m_previous(g_clock) {
    if (!reading) return;
    const std::int64_t fixed = *reading;
    g_clock = [fixed] { return fixed; };
}

ScopedClock::~ScopedClock() { g_clock = std::move(m_previous); }

LocalTime ToLocalTime(std::int64_t seconds) {
    const auto systemSeconds = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (localtime_r(&systemSeconds, &parts) == nullptr) return LocalTime{0, 0, 0, 0, 0};
    return LocalTime{parts.tm_hour, parts.tm_min, parts.tm_mday, parts.tm_mon + 1, parts.tm_year + 1900};
}

}  // namespace crt
