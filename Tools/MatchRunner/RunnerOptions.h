#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the match runner was asked to do, read from its command line.
struct RunnerOptions
{
    enum class Dragon
    {
        still,  // the dragon never moves: its camps never exist, so only orcs score
        wander  // the dragon walks and acts at random, from the seed
    };

    static constexpr const char* command = "quillmarch-match-runner";

    int orcs = 4;
    int matches = 1;
    // The length of every frame in ms; several lengths follow one another in turn, over and over.
    std::vector<double> frameMs = {16.0};
    // One frame this long, in ms, once each match has run for longFrameAtMs; 0 for none.
    unsigned longFrameMs = 0;
    unsigned longFrameAtMs = 45000;
    std::uint32_t seed = 1;
    std::string telemetryFile;
    Dragon dragon = Dragon::still;
    bool memory = false;
    bool durations = false;

    static constexpr int fewestOrcs = 1;
    static constexpr int mostOrcs = 4;
    static constexpr int mostMatches = 1000000;
    static constexpr double longestFrameMs = 1000.0;
    // Shorter frames on average would take a match millions of frames.
    static constexpr double shortestMeanFrameMs = 0.1;
    // An hour: a machine suspended, not a match.
    static constexpr unsigned longestLongFrameMs = 3600000;

    // The mean of the frame lengths.
    double meanFrameMs() const;

    // The options, or nothing with `exitStatus` set when the runner should end at once (after
    // --help, --version or a bad option, each already said on the console).
    static std::optional<RunnerOptions> read(int argc, const char* const argv[], int& exitStatus);
};
