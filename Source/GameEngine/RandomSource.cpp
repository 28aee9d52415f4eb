#include "GameEngine/RandomSource.h"

#include <ctime>
#include <utility>

RandomSource::RandomSource() : RandomSource([] { return static_cast<std::int64_t>(std::time(nullptr)); })
{
}

RandomSource::RandomSource(CalendarClock clock) : clock(std::move(clock))
{
}

std::int64_t RandomSource::calendarSeconds() const
{
    return clock();
}

void RandomSource::seed(std::uint32_t value)
{
    state = value;
}

int RandomSource::draw()
{
    // The linear congruential generator of the C standard's example: the same sequence on every machine.
    state = state * multiplier + increment;
    return static_cast<int>((state >> 16) % (static_cast<std::uint32_t>(largestDraw) + 1));
}
