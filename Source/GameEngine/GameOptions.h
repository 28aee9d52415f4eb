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

    bool telemetry = false;

    // The options, or nothing with `exitStatus` set when the program should end at once (after
    // --help, --version or a bad option, each already said on the console).
    static std::optional<GameOptions> read(int argc, const char* const argv[], int& exitStatus);

private:
    // Says on the console what the plain words decided (nothing without any).
    void readWords(const std::vector<std::string>& words);
};
