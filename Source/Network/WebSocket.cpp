#include "Network/WebSocket.h"

#include "Network/ClientLog.h"
#include "Network/Deadline.h"
#include "Network/Handshake.h"
#include "Network/RealWebSocket.h"
#include "Network/WebSocketUrl.h"

namespace wsclient
{
namespace
{
constexpr bool maskOutgoingFrames = true;

bool withinLimits(const std::string& url, const std::string& origin)
{
    if (url.size() >= WebSocketUrl::maximumBytes)
    {
        ClientLog::error("url size limit exceeded: " + url);
        return false;
    }
    if (origin.size() >= Handshake::maximumOriginBytes)
    {
        ClientLog::error("origin size limit exceeded: " + origin);
        return false;
    }
    return true;
}
}  // namespace

std::unique_ptr<WebSocket> WebSocket::fromUrl(const std::string& url, const std::string& origin,
                                              int handshakeTimeoutMs)
{
    if (!withinLimits(url, origin))
        return nullptr;
    const std::optional<WebSocketUrl> parsed = WebSocketUrl::parse(url);
    if (!parsed)
    {
        ClientLog::error("Could not parse WebSocket url: " + url);
        return nullptr;
    }
    ClientLog::line("wsclient: connecting: host=" + parsed->host + " port=" + std::to_string(parsed->port) +
                    " path=/" + parsed->path);

    const Deadline deadline(handshakeTimeoutMs);
    Socket::Connection connection = Socket::connectToHost(parsed->host, parsed->port, deadline);
    if (!connection.socket.isOpen())
    {
        if (connection.timedOut)
            Handshake::reportTimeout(url, handshakeTimeoutMs);
        else
            ClientLog::line("Unable to connect to " + parsed->host + ":" + std::to_string(parsed->port));
        return nullptr;
    }
    if (!Handshake(connection.socket, url, deadline, handshakeTimeoutMs).perform(*parsed, origin))
        return nullptr;
    ClientLog::line("Connected to: " + url);
    return std::make_unique<RealWebSocket>(std::move(connection.socket), maskOutgoingFrames);
}
}  // namespace wsclient
