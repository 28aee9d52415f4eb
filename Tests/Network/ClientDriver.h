#pragma once

#include "Network/WebSocket.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Drives a client as the frame loop does (poll, then dispatch) and keeps the messages it hands out.
class ClientDriver
{
public:
    static constexpr int patienceMs = 5000;

    explicit ClientDriver(wsclient::WebSocket& client) : client(client) {}

    void frame(int waitMs = 0)
    {
        if (client.getReadyState() != wsclient::WebSocket::CLOSED)
            client.poll(waitMs);
        client.dispatch([this](const std::string& message) { messages.push_back(message); });
    }
    // Runs frames until the condition holds; false when it still does not after patienceMs.
    bool runUntil(const std::function<bool()>& condition)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
        while (!condition() && std::chrono::steady_clock::now() < end)
            frame(5);
        return condition();
    }
    bool receive(std::size_t count)
    {
        return runUntil([this, count] { return messages.size() >= count; });
    }
    std::vector<std::string> messages;

private:
    wsclient::WebSocket& client;
};
