#pragma once

#include "Network/WebSocket.h"

#include <memory>
#include <string>
#include <vector>

// A telemetry connection that sends nothing anywhere. It keeps the messages, and writes a line
// "SENT: <type>" to standard output for each, so a test sees where a send falls among the log lines.
class RecordingWebSocket : public wsclient::WebSocket
{
public:
    struct Journal
    {
        std::vector<std::string> sent;
        int polls = 0;
        int dispatches = 0;
        bool destroyed = false;
    };

    explicit RecordingWebSocket(std::shared_ptr<Journal> journal) : journal(std::move(journal)) {}
    ~RecordingWebSocket() override { journal->destroyed = true; }

    void poll(int /*timeoutMs*/) override { ++journal->polls; }
    void send(const std::string& message) override;
    void sendPing() override {}
    void close() override { state = CLOSING; }
    ReadyState getReadyState() const override { return state; }
    void dispatchCallback(wsclient::Callback& /*callback*/) override { ++journal->dispatches; }

    ReadyState state = OPEN;

private:
    std::shared_ptr<Journal> journal;
};
