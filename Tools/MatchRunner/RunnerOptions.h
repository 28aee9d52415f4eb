#pragma once

#include <cstdint>
#include <optional>
#include <string>

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
    unsigned frameMs = 16;
    std::uint32_t seed = 1;
    std::string telemetryFile;
    Dragon dragon = Dragon::still;
    bool memory = false;

    static constexpr int fewestOrcs = 1;
    static constexpr int mostOrcs = 4;
    static constexpr int mostMatches = 1000000;
    static constexpr unsigned longestFrameMs = 1000;

    // The options, or nothing with `exitStatus` set when the runner should end at once (after
    // --help, --version or a bad option, each already said on the console).
    static std::optional<RunnerOptions> read(int argc, const char* const argv[], int& exitStatus);
};
