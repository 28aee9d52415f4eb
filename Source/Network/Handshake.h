#pragma once

#include "Network/Deadline.h"
#include "Network/WebSocketUrl.h"

#include <string>
#include <vector>

namespace wsclient
{
class Socket;

// The HTTP upgrade that opens a connection: the request out, the status line and headers back.
class Handshake
{
public:
    // Every connection offers the same key; the server's answer to it is not checked.
    static constexpr const char* key = "kP7vRz2LqW9sN4dXc1YhAg==";
    static constexpr std::size_t maximumOriginBytes = 200;
    // A line of the answer is read in pieces of at most this many bytes.
    static constexpr std::size_t linePieceBytes = 255;
    // Far more than any real server sends; a peer that goes on past it is not answering the upgrade.
    static constexpr std::size_t maximumHeaderBytes = 16 * 1024;
    static constexpr int switchingProtocols = 101;

    Handshake(Socket& socket, const std::string& urlText, const Deadline& deadline, int timeoutMs);

    static std::vector<std::string> requestLines(const WebSocketUrl& url, const std::string& origin);
    static void reportTimeout(const std::string& urlText, int timeoutMs);

    // True when the server switched protocols; any failure is reported here.
    bool perform(const WebSocketUrl& url, const std::string& origin);

private:
    enum class Progress
    {
        complete,
        ended,
        timedOut
    };

    Progress sendRequest(const WebSocketUrl& url, const std::string& origin);
    Progress sendLine(const std::string& line);
    Progress readLinePiece(std::string& piece);
    Progress readByte(char& byte);
    bool statusAccepted(const std::string& statusLine) const;
    bool skipHeaders();
    bool reportUnlessComplete(Progress progress) const;

    Socket& socket;
    const std::string& urlText;
    const Deadline& deadline;
    int timeoutMs;
};
}  // namespace wsclient
