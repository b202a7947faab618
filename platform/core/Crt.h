// Stand-ins for the few C runtime services the game uses: the random
// generator, whose sequence must be the same on every platform so that a
// seed gives the same game everywhere, and the calendar clock, which tests
// and the headless driver replace to fix that seed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace crt {

// Sets the generator's state to the seed (taken as an unsigned 32-bit value).
void srand(unsigned int seed);

// Advances the state (state * 214013 + 2531011, modulo 2^32) and returns
// bits 16 to 30 of it: 0 to 32767.
int rand();

// Seconds since the epoch, from the installed clock (the real one by default).
std::int64_t time();

// Installs a clock for time(); an empty function restores the real clock.
void SetClock(std::function<std::int64_t()> clock);

// Holds time() at one reading for as long as the guard lives (a game built
// meanwhile takes it as its seed), then puts back the clock that was
// installed before.  Without a reading the clock is left as it is.
class ScopedClock {
public:
    explicit ScopedClock(std::optional<std::int64_t> reading);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    std::function<std::int64_t()> m_previous;
};

struct LocalTime {
    int hour;
    int minute;
    int day;
    int month;  // 1 to 12
    int year;  // full year
};

// The local date and time of a reading of time(); all zero fields if the
// system cannot convert it.
LocalTime ToLocalTime(std::int64_t seconds);

}  // namespace crt
