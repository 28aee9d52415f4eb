#pragma once

#include "MatchSummary.h"

#include <cstdint>
#include <iosfwd>
#include <string>

// One played match as the run reports it: its number and seed, its results, how long it took, and what
// the game wrote while it played (filled in only where a worker process played it).
struct MatchRecord
{
    int number = 0;
    std::uint32_t seed = 0;
    MatchSummary summary;
    double seconds = 0.0;
    // The game time the match played, in ms.
    double gameMs = 0.0;
    long residentKilobytes = 0;
    // The game's log and the telemetry lines of the match.
    std::string log;
    std::string telemetry;

    // As text and back, exactly, for a worker process to hand it on.
    std::string text() const;
    static bool readText(const std::string& text, MatchRecord& record);
};
