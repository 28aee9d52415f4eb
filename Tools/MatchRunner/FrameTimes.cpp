#include "FrameTimes.h"

#include <algorithm>
#include <cmath>
#include <sstream>

FrameTimes::FrameTimes() : framesPerMicrosecond(longestMicroseconds + 1, 0)
{
}

void FrameTimes::record(double microseconds)
{
    const double bounded = std::clamp(microseconds, 0.0, static_cast<double>(longestMicroseconds));
    ++framesPerMicrosecond[static_cast<std::size_t>(std::lround(bounded))];
    ++frames;
}

double FrameTimes::percentile(double share) const
{
    if (frames == 0)
        return 0.0;
    const auto rank = static_cast<std::uint64_t>(share * static_cast<double>(frames - 1));
    std::uint64_t seen = 0;
    for (std::size_t microseconds = 0; microseconds < framesPerMicrosecond.size(); ++microseconds)
    {
        seen += framesPerMicrosecond[microseconds];
        if (seen > rank)
            return static_cast<double>(microseconds);
    }
    return longestMicroseconds;
}

void FrameTimes::merge(const FrameTimes& other)
{
    for (std::size_t microseconds = 0; microseconds < framesPerMicrosecond.size(); ++microseconds)
        framesPerMicrosecond[microseconds] += other.framesPerMicrosecond[microseconds];
    frames += other.frames;
}

std::string FrameTimes::text() const
{
    // Only the times that occurred: a few hundred of the table's entries.
    std::ostringstream text;
    for (std::size_t microseconds = 0; microseconds < framesPerMicrosecond.size(); ++microseconds)
        if (framesPerMicrosecond[microseconds] > 0)
            text << microseconds << ' ' << framesPerMicrosecond[microseconds] << ' ';
    return text.str();
}

bool FrameTimes::readText(const std::string& text)
{
    std::istringstream entries(text);
    std::size_t microseconds = 0;
    std::uint32_t count = 0;
    while (entries >> microseconds >> count)
    {
        if (microseconds >= framesPerMicrosecond.size())
            return false;
        framesPerMicrosecond[microseconds] += count;
        frames += count;
    }
    return entries.eof();
}
