#include "Support/RecordingWebSocket.h"

#include "GameEngine/Console.h"

#include <regex>

RecordingWebSocket::RecordingWebSocket(std::shared_ptr<Journal> journal) : journal(std::move(journal))
{
}

RecordingWebSocket::~RecordingWebSocket()
{
    journal->destroyed = true;
}

void RecordingWebSocket::poll(int /*timeoutMs*/)
{
    ++journal->polls;
}

void RecordingWebSocket::send(const std::string& message)
{
    journal->sent.push_back(message);
    std::smatch type;
    std::regex_search(message, type, std::regex(R"re("type": "([a-z]+)")re"));
    Console::line("SENT: " + (type.size() > 1 ? type[1].str() : std::string("?")));
}

void RecordingWebSocket::sendPing()
{
}

void RecordingWebSocket::close()
{
    state = CLOSING;
}

wsclient::WebSocket::ReadyState RecordingWebSocket::getReadyState() const
{
    return state;
}

void RecordingWebSocket::dispatchCallback(wsclient::Callback& /*callback*/)
{
    ++journal->dispatches;
}
