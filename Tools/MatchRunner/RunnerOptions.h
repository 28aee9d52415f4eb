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

    int orcs = 4;
    int matches = 1;
    unsigned frameMs = 16;
    std::uint32_t seed = 1;
    std::string telemetryFile;
    Dragon dragon = Dragon::still;
    bool memory = false;
    bool help = false;

    static constexpr int fewestOrcs = 1;
    static constexpr int mostOrcs = 4;

    // Null with `error` set (one line naming the option) when the command line cannot be used.
    static std::optional<RunnerOptions> parse(const std::vector<std::string>& arguments, std::string& error);
    static std::string usage();
};
