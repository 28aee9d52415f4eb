#pragma once

#include "Network/WebSocket.h"

#include <fstream>
#include <memory>
#include <string>

// A telemetry connection that writes each message the game sends as one line of a file: exactly the
// texts an observer would receive.
class TelemetryFile : public wsclient::WebSocket
{
public:
    // Null, with an error line, when the file cannot be written.
    static std::unique_ptr<TelemetryFile> open(const std::string& path);

    void poll(int timeoutMs) override;
    void send(const std::string& message) override;
    void sendPing() override;
    void close() override;
    ReadyState getReadyState() const override;
    void dispatchCallback(wsclient::Callback& callback) override;

private:
    explicit TelemetryFile(std::ofstream file);

    std::ofstream file;
};
