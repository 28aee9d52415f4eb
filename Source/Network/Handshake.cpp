#include "Network/Handshake.h"

#include "Network/ClientLog.h"
#include "Network/Socket.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace wsclient
{
namespace
{
constexpr const char* statusPrefix = "HTTP/1.1";
constexpr const char* lineEnd = "\r\n";

bool pieceEnds(const std::string& piece)
{
    const std::size_t size = piece.size();
    return size >= 2 && (piece[size - 2] == '\r' || piece[size - 1] == '\n');
}
}  // namespace

Handshake::Handshake(Socket& socket, const std::string& urlText, const Deadline& deadline, int timeoutMs)
    : socket(socket), urlText(urlText), deadline(deadline), timeoutMs(timeoutMs)
{
}

std::vector<std::string> Handshake::requestLines(const WebSocketUrl& url, const std::string& origin)
{
    std::vector<std::string> lines;
    lines.push_back("GET /" + url.path + " HTTP/1.1" + lineEnd);
    if (url.port == WebSocketUrl::defaultPort)
        lines.push_back("Host: " + url.host + lineEnd);
    else
        lines.push_back("Host: " + url.host + ":" + std::to_string(url.port) + lineEnd);
    lines.push_back(std::string("Upgrade: websocket") + lineEnd);
    lines.push_back(std::string("Connection: Upgrade") + lineEnd);
    if (!origin.empty())
        lines.push_back("Origin: " + origin + lineEnd);
    lines.push_back(std::string("Sec-WebSocket-Key: ") + key + lineEnd);
    lines.push_back(std::string("Sec-WebSocket-Version: 13") + lineEnd);
    lines.push_back(lineEnd);
    return lines;
}

void Handshake::reportTimeout(const std::string& urlText, int timeoutMs)
{
    ClientLog::error("Handshake timed out after " + std::to_string(timeoutMs) +
                     " ms connecting to: " + urlText);
}

bool Handshake::perform(const WebSocketUrl& url, const std::string& origin)
{
    if (!reportUnlessComplete(sendRequest(url, origin)))
        return false;
    std::string statusLine;
    if (!reportUnlessComplete(readLinePiece(statusLine)))
        return false;
    if (statusLine.size() == linePieceBytes)
    {
        ClientLog::error("Got invalid status line connecting to: " + urlText);
        return false;
    }
    if (!statusAccepted(statusLine))
    {
        ClientLog::endedLine("ERROR: Got bad status connecting to " + urlText + ": " + statusLine);
        return false;
    }
    return skipHeaders();
}

// A failed send shows up as a missing answer, so only the time limit stops the request.
Handshake::Progress Handshake::sendRequest(const WebSocketUrl& url, const std::string& origin)
{
    for (const std::string& line : requestLines(url, origin))
        if (sendLine(line) == Progress::timedOut)
            return Progress::timedOut;
    return Progress::complete;
}

// Waits for room to send and nothing else: a peer that talks without reading must not make this spin.
Handshake::Progress Handshake::sendLine(const std::string& line)
{
    std::size_t sent = 0;
    while (sent < line.size())
    {
        const Socket::Transfer transfer = socket.send(line.data() + sent, line.size() - sent);
        if (transfer.outcome == Socket::Outcome::transferred)
            sent += transfer.count;
        else if (transfer.outcome != Socket::Outcome::wouldBlock)
            return Progress::ended;
        else if (deadline.passed() || !socket.waitUntilWritable(deadline.remainingMs()))
            return Progress::timedOut;
    }
    return Progress::complete;
}

// Stops after a line end, or after a byte that follows a carriage return, or when the piece is full.
Handshake::Progress Handshake::readLinePiece(std::string& piece)
{
    piece.clear();
    while (piece.size() < linePieceBytes && (piece.size() < 2 || !pieceEnds(piece)))
    {
        char byte = 0;
        const Progress progress = readByte(byte);
        if (progress != Progress::complete)
            return progress;
        piece += byte;
    }
    return Progress::complete;
}

// One byte per receive, so nothing that follows the answer is taken from the socket. The time limit is
// checked before each one: a peer that never stops sending never lets a receive wait.
Handshake::Progress Handshake::readByte(char& byte)
{
    for (;;)
    {
        if (deadline.passed())
            return Progress::timedOut;
        const Socket::Transfer transfer = socket.receive(&byte, 1);
        if (transfer.outcome == Socket::Outcome::transferred)
            return Progress::complete;
        if (transfer.outcome != Socket::Outcome::wouldBlock)
            return Progress::ended;
        if (!socket.waitUntilReady(false, deadline.remainingMs()))
            return Progress::timedOut;
    }
}

bool Handshake::statusAccepted(const std::string& statusLine) const
{
    const std::size_t prefixSize = std::strlen(statusPrefix);
    if (statusLine.compare(0, prefixSize, statusPrefix) != 0)
        return false;
    const char* number = statusLine.c_str() + prefixSize;
    char* end = nullptr;
    errno = 0;
    const long status = std::strtol(number, &end, 10);
    return end != number && errno == 0 && status == switchingProtocols;
}

bool Handshake::skipHeaders()
{
    std::size_t headerBytes = 0;
    std::string piece;
    do
    {
        if (!reportUnlessComplete(readLinePiece(piece)))
            return false;
        headerBytes += piece.size();
        if (headerBytes > maximumHeaderBytes)
        {
            ClientLog::error("Got more than " + std::to_string(maximumHeaderBytes) +
                             " bytes of headers connecting to: " + urlText);
            return false;
        }
    } while (piece.compare(0, 2, lineEnd) != 0);
    return true;
}

// A connection that ends during the handshake goes unreported: the caller says what it was for.
bool Handshake::reportUnlessComplete(Progress progress) const
{
    if (progress == Progress::timedOut)
        reportTimeout(urlText, timeoutMs);
    return progress == Progress::complete;
}
}  // namespace wsclient
