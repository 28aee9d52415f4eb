#pragma once

#include <optional>
#include <string>
#include <vector>

// What the player asked for on the game's command line.
class GameOptions
{
public:
    static constexpr const char* command = "quillmarch";
    // The plain word that turns telemetry on, in any position among the options.
    static constexpr const char* telemetryWord = "ws";

    // The most frames per second the game draws, 0 for as many as it can.
    static constexpr unsigned mostFps = 1000;

    bool telemetry = false;
    unsigned maxFps = 0;

    // The options, or nothing with `exitStatus` set when the program should end at once (after
    // --help, --version or a bad option, each already said on the console).
    static std::optional<GameOptions> read(int argc, const char* const argv[], int& exitStatus);

private:
    // Says on the console what the plain words decided (nothing without any).
    void readWords(const std::vector<std::string>& words);
};
