#pragma once

#include <string>

// The game's log on standard output: one line per report, with the prefix that says what kind it is.
class Console
{
public:
    static void error(const std::string& text);
    static void warning(const std::string& text);
    static void message(const std::string& text);
    // A line without a prefix, for the few progress lines that have none.
    static void line(const std::string& text);
};
