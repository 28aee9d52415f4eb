#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Captures what the game writes to standard output (or the error stream) while it lives.
class ConsoleCapture
{
public:
    enum class Stream
    {
        output,
        error
    };

    explicit ConsoleCapture(Stream stream = Stream::output);
    ~ConsoleCapture() { lines(); }
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    // Stops capturing and returns everything written, split into lines.
    std::vector<std::string> lines();
    // Only the game's own report lines: those with the ERROR, WARNING or MESSAGE prefix.
    std::vector<std::string> reportLines();

private:
    int descriptor;
    int savedDescriptor;
    // A file rather than a pipe, so a long log cannot fill it and block the game.
    std::FILE* file;
    std::vector<std::string> captured;
};
