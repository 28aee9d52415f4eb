#include "Support/RecordingWebSocket.h"

#include "GameEngine/Console.h"

#include <regex>

void RecordingWebSocket::send(const std::string& message)
{
    journal->sent.push_back(message);
    std::smatch type;
    std::regex_search(message, type, std::regex(R"re("type": "([a-z]+)")re"));
    Console::line("SENT: " + (type.size() > 1 ? type[1].str() : std::string("?")));
}
