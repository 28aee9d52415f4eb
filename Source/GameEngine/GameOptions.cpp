#include "GameEngine/GameOptions.h"

#include "GameEngine/CommandLine.h"
#include "GameEngine/Console.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

std::optional<GameOptions> GameOptions::read(int argc, const char* const argv[], int& exitStatus)
{
    CLI::App app("Quillmarch: a small real-time strategy game in a 3-D arena.", command);
    CommandLine::addVersionFlag(app);
    std::vector<std::string> words;
    app.add_option("words", words,
                   std::string("\"") + telemetryWord +
                       "\" streams every match to the observer at ws://localhost:1337")
        ->type_name("WORD");
    GameOptions options;
    app.add_option("--max-fps", options.maxFps,
                   "Draw at most N frames per second, sleeping the rest of each frame (0 or none: as many as "
                   "the machine can)")
        ->check(CLI::Range(0U, mostFps).description(""))
        ->type_name("N");
    if (const std::optional<int> status = CommandLine::parse(app, argc, argv, std::cout, std::cerr))
    {
        exitStatus = *status;
        return std::nullopt;
    }
    options.readWords(words);
    return options;
}

void GameOptions::readWords(const std::vector<std::string>& words)
{
    if (words.empty())
        return;
    telemetry = std::find(words.begin(), words.end(), telemetryWord) != words.end();
    Console::line(telemetry ? "Websockets Activate" : "No Websockets");
}
