#include "Network/ClientLog.h"

#include <iostream>

namespace wsclient
{
void ClientLog::line(const std::string& text)
{
    std::cerr << text << '\n' << std::flush;
}

void ClientLog::error(const std::string& text)
{
    line("ERROR: " + text);
}

void ClientLog::warning(const std::string& text)
{
    line("WARNING: " + text);
}

void ClientLog::endedLine(const std::string& text)
{
    if (!text.empty() && text.back() == '\n')
        std::cerr << text << std::flush;
    else
        line(text);
}
}  // namespace wsclient
