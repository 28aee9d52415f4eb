#include "GameEngine/Console.h"

#include <iostream>

namespace
{
void writeLine(const char* prefix, const std::string& text)
{
    // Flushed at once, so the log stays in order with the engine library's own printf output.
    std::cout << prefix << text << '\n' << std::flush;
}
}  // namespace

void Console::error(const std::string& text)
{
    writeLine("ERROR: ", text);
}

void Console::warning(const std::string& text)
{
    writeLine("WARNING: ", text);
}

void Console::message(const std::string& text)
{
    writeLine("MESSAGE: ", text);
}

void Console::line(const std::string& text)
{
    writeLine("", text);
}
