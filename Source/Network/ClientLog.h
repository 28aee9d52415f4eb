#pragma once

#include <string>

namespace wsclient
{
// The client reports on the error stream, apart from the game's log on standard output.
class ClientLog
{
public:
    static void line(const std::string& text);
    static void error(const std::string& text);
    static void warning(const std::string& text);
    // For a text that may already carry its own line end.
    static void endedLine(const std::string& text);
};
}  // namespace wsclient
