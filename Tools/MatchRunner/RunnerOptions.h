#pragma once

#include "AI/OrcParameters.h"

#include <cstdint>
#include <map>
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

    // A parameter set for one orc, named after its file.
    struct NamedParameters
    {
        std::string name;
        OrcParameters parameters;
    };

    static constexpr const char* command = "quillmarch-match-runner";
    // What a slot without a parameter set is called: today's orcs.
    static constexpr const char* defaultSetName = "default";

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
    // By slot, the orc's id (1 to 4); slots not here play today's orcs.
    std::map<int, NamedParameters> orcParameters;
    int jobs = 1;
    bool json = false;
    // Only read the options and parameter files, then end.
    bool check = false;
    bool durations = false;

    static constexpr int fewestOrcs = 1;
    static constexpr int mostOrcs = 4;
    static constexpr int mostMatches = 1000000;
    static constexpr double longestFrameMs = 1000.0;
    // Shorter frames on average would take a match millions of frames.
    static constexpr double shortestMeanFrameMs = 0.1;
    // An hour: a machine suspended, not a match.
    static constexpr unsigned longestLongFrameMs = 3600000;
    static constexpr int mostJobs = 64;

    // The mean of the frame lengths.
    double meanFrameMs() const;
    // The seed match `number` (from 1) of this run plays with.
    std::uint32_t seedOf(int number) const { return seed + static_cast<std::uint32_t>(number - 1); }
    // The numbers of the run's matches, 1 to `matches`.
    std::vector<int> numbers() const;
    // The name of the parameter set the orc of `slot` plays by.
    std::string setNameOf(int slot) const;

    // The options, or nothing with `exitStatus` set when the runner should end at once (after
    // --help, --version or a bad option, each already said on the console).
    static std::optional<RunnerOptions> read(int argc, const char* const argv[], int& exitStatus);
};
