#pragma once

#include "Network/WebSocket.h"

#include <functional>
#include <string>
#include <vector>

// Drives a client as the frame loop does (poll, then dispatch) and keeps the messages it hands out.
class ClientDriver
{
public:
    static constexpr int patienceMs = 5000;

    explicit ClientDriver(wsclient::WebSocket& client) : client(client) {}

    void frame(int waitMs = 0);
    // Runs frames until the condition holds; false when it still does not after patienceMs.
    bool runUntil(const std::function<bool()>& condition);
    bool receive(std::size_t count);
    bool reachClosed();
    // Runs frames for a while, for checks that something does not happen.
    void runFor(int milliseconds);

    std::vector<std::string> messages;

private:
    wsclient::WebSocket& client;
};
