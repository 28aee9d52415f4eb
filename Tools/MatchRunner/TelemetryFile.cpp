#include "TelemetryFile.h"

TelemetryFile::TelemetryFile(std::ostream& out) : out(out)
{
}

void TelemetryFile::poll(int /*timeoutMs*/)
{
}

void TelemetryFile::send(const std::string& message)
{
    out << message << '\n';
}

void TelemetryFile::sendPing()
{
}

void TelemetryFile::close()
{
    out.flush();
}

wsclient::WebSocket::ReadyState TelemetryFile::getReadyState() const
{
    return OPEN;
}

void TelemetryFile::dispatchCallback(wsclient::Callback& /*callback*/)
{
}
