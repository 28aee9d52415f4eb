#pragma once

#include <optional>
#include <string>

namespace wsclient
{
// Where a "ws://host[:port][/path]" URL points. The path is kept without its leading '/'.
class WebSocketUrl
{
public:
    static constexpr int defaultPort = 80;
    // Keeps every handshake line short.
    static constexpr std::size_t maximumBytes = 128;

    // Reads the URL as the patterns host:port/path, host/path, host:port and host, trying them in that
    // order; text after the part that matched is ignored. Empty when no pattern fits or the port is
    // outside 1 to 65535 (the resolver would quietly wrap it to another port).
    static std::optional<WebSocketUrl> parse(const std::string& text);

    std::string host;
    int port = defaultPort;
    std::string path;
};
}  // namespace wsclient
