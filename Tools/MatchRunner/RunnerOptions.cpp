#include "RunnerOptions.h"

#include "GameEngine/CommandLine.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <map>

std::optional<RunnerOptions> RunnerOptions::read(int argc, const char* const argv[], int& exitStatus)
{
    CLI::App app("Plays whole matches of Quillmarch without a window and prints what happened.\n"
                 "Run it from a folder one level below the game's Assets folder (for example build/).",
                 command);
    CommandLine::addVersionFlag(app);
    RunnerOptions options;
    app.add_option("--orcs", options.orcs, "Computer players per match, 1 to 4")
        ->check(CLI::Range(fewestOrcs, mostOrcs).description(""))
        ->type_name("N")
        ->capture_default_str();
    app.add_option("--matches", options.matches, "Matches to play one after another")
        ->check(CLI::Range(1, mostMatches).description(""))
        ->type_name("N")
        ->capture_default_str();
    app.add_option("--frame-ms", options.frameMs, "Length of every frame in milliseconds, 1 to 1000")
        ->check(CLI::Range(1U, longestFrameMs).description(""))
        ->type_name("N")
        ->capture_default_str();
    app.add_option("--seed", options.seed, "Seed of the game's chance: the same seed plays the same matches")
        ->type_name("N")
        ->capture_default_str();
    app.add_option("--telemetry", options.telemetryFile,
                   "Write every telemetry message, one per line, to FILE")
        ->type_name("FILE")
        ->check([](const std::string& file) { return file.empty() ? "a file name" : ""; });
    const std::map<std::string, Dragon> dragons{{"still", Dragon::still}, {"wander", Dragon::wander}};
    std::string dragon = "still";
    app.add_option("--dragon", dragon,
                   "still: the dragon stands in the middle; wander: it walks, founds camps and dashes at "
                   "random, from the seed")
        ->check(CLI::IsMember(dragons).description(""))
        ->type_name("still|wander")
        ->capture_default_str();
    app.add_flag("--memory", options.memory, "End each match's line with the process's resident memory");
    if (const std::optional<int> status = CommandLine::parse(app, argc, argv, std::cout, std::cerr))
    {
        exitStatus = *status;
        return std::nullopt;
    }
    options.dragon = dragons.at(dragon);
    return options;
}
