#pragma once

#include <CLI/App.hpp>
#include <optional>
#include <ostream>
#include <string>

// Reads a command line the same way for every program of the game: --help and --version print and
// stop, a bad option or value is one line on the error stream naming it, and a status says how to end.
class CommandLine
{
public:
    static constexpr int helpOrVersionStatus = 0;
    static constexpr int badUsageStatus = 2;

    // Gives `app`, named as its installed command, --version and the help layout all programs share.
    static void addVersionFlag(CLI::App& app);
    // Nothing when the program should go on, or the status it should end with at once.
    static std::optional<int> parse(CLI::App& app, int argc, const char* const argv[], std::ostream& out,
                                    std::ostream& err);
};
