#include "ClientDriver.h"

#include <chrono>

namespace
{
constexpr int frameWaitMs = 5;
}

void ClientDriver::frame(int waitMs)
{
    if (client.getReadyState() != wsclient::WebSocket::CLOSED)
        client.poll(waitMs);
    client.dispatch([this](const std::string& message) { messages.push_back(message); });
}

bool ClientDriver::runUntil(const std::function<bool()>& condition)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
    while (!condition())
    {
        if (std::chrono::steady_clock::now() > end)
            return false;
        frame(frameWaitMs);
    }
    return true;
}

bool ClientDriver::receive(std::size_t count)
{
    return runUntil([this, count] { return messages.size() >= count; });
}

bool ClientDriver::reachClosed()
{
    return runUntil([this] { return client.getReadyState() == wsclient::WebSocket::CLOSED; });
}

void ClientDriver::runFor(int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end)
        frame(frameWaitMs);
}
