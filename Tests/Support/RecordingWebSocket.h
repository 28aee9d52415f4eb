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
    };

    explicit RecordingWebSocket(std::shared_ptr<Journal> journal) : journal(std::move(journal)) {}

    void poll(int /*timeoutMs*/) override {}
    void send(const std::string& message) override;
    void sendPing() override {}
    void close() override {}
    ReadyState getReadyState() const override { return OPEN; }
    void dispatchCallback(wsclient::Callback& /*callback*/) override {}

private:
    std::shared_ptr<Journal> journal;
};
