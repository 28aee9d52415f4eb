#pragma once

#include <cstdint>
#include <functional>

// The game's one source of chance and of the calendar time its draws are seeded from. In play it reads
// the real clock; the match runner and the tests hand it a clock of their own, so that a match can be
// replayed exactly from its seed.
class RandomSource
{
public:
    using CalendarClock = std::function<std::int64_t()>;
    // Draws run from 0 to this, like the C library's smallest allowed RAND_MAX.
    static constexpr int largestDraw = 32767;
    // Where the sequence stands before the first seed.
    static constexpr std::uint32_t firstState = 1;

    // Reads the real calendar clock.
    RandomSource();
    explicit RandomSource(CalendarClock clock);

    std::int64_t calendarSeconds() const;
    void seed(std::uint32_t value);
    // The next number of the sequence that the last seed began.
    int draw();

private:
    static constexpr std::uint32_t multiplier = 1103515245u;
    static constexpr std::uint32_t increment = 12345u;

    CalendarClock clock;
    std::uint32_t state = firstState;
};
