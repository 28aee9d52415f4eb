#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How long frames took, to the microsecond, in a table of fixed size: a soak of any length keeps the same
// memory, so the runner's own bookkeeping cannot hide or fake the game's growth.
class FrameTimes
{
public:
    // Frames longer than this count as this long.
    static constexpr std::uint32_t longestMicroseconds = 200000;

    FrameTimes();

    void record(double microseconds);
    // The time below which `share` (0 to 1) of the frames fall.
    double percentile(double share) const;
    std::uint64_t count() const { return frames; }
    // Takes in `other`'s frames, as if they had been recorded here.
    void merge(const FrameTimes& other);
    // As text and back, for a worker process to hand its frames on; false if `text` is not such.
    std::string text() const;
    bool readText(const std::string& text);

private:
    std::vector<std::uint32_t> framesPerMicrosecond;
    std::uint64_t frames = 0;
};
