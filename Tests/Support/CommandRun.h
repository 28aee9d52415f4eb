#pragma once

#include <string>

// Runs a shell command to its end, as a user would from a terminal, with both of its streams captured.
struct CommandRun
{
    // The exit status as the shell gives it, or -1 if the command could not be started.
    int exitStatus = -1;
    bool killedBySignal = false;
    std::string output;

    static CommandRun of(const std::string& command);
};
