#include "TelemetryFile.h"

#include "GameEngine/Console.h"

std::unique_ptr<TelemetryFile> TelemetryFile::open(const std::string& path)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
    {
        Console::error("Could not write the telemetry file: " + path);
        return nullptr;
    }
    return std::unique_ptr<TelemetryFile>(new TelemetryFile(std::move(file)));
}

TelemetryFile::TelemetryFile(std::ofstream file) : file(std::move(file))
{
}

void TelemetryFile::poll(int /*timeoutMs*/)
{
}

void TelemetryFile::send(const std::string& message)
{
    file << message << '\n';
}

void TelemetryFile::sendPing()
{
}

void TelemetryFile::close()
{
    file.flush();
}

wsclient::WebSocket::ReadyState TelemetryFile::getReadyState() const
{
    return OPEN;
}

void TelemetryFile::dispatchCallback(wsclient::Callback& /*callback*/)
{
}
