#pragma once

#include "Network/WebSocket.h"

#include <ostream>

// A telemetry connection that writes each message the game sends as one line of a stream: exactly the
// texts an observer would receive.
class TelemetryFile : public wsclient::WebSocket
{
public:
    explicit TelemetryFile(std::ostream& out);

    void poll(int timeoutMs) override;
    void send(const std::string& message) override;
    void sendPing() override;
    void close() override;
    ReadyState getReadyState() const override;
    void dispatchCallback(wsclient::Callback& callback) override;

private:
    std::ostream& out;
};
