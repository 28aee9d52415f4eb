#include "Support/RawServer.h"

#include <algorithm>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

const std::string RawServer::switchingProtocols = "HTTP/1.1 101 Switching Protocols\r\n"
                                                  "Upgrade: websocket\r\n"
                                                  "Connection: Upgrade\r\n"
                                                  "Sec-WebSocket-Accept: aGVsbG8=\r\n"
                                                  "\r\n";

namespace
{
bool readableSoon(int descriptor)
{
    pollfd entry{descriptor, POLLIN, 0};
    return poll(&entry, 1, 5000) > 0;
}

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}
}  // namespace

RawServer::RawServer(int backlog) : listener(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
{
    sockaddr_in address = loopback(0);
    socklen_t size = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        (backlog != refusing && listen(listener, backlog) != 0) ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("the test server cannot listen");
    listenPort = ntohs(address.sin_port);
}

RawServer::~RawServer()
{
    request();
    close(peer);
    close(listener);
}

int RawServer::connectTo(int port)
{
    const int descriptor = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = loopback(port);
    if (connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return descriptor;
    close(descriptor);
    return -1;
}

void RawServer::answerNextClient(const std::string& answer)
{
    answering = std::thread(
        [this, answer]
        {
            if (!readableSoon(listener) || (peer = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC)) < 0)
                return;
            while (receivedRequest.find("\r\n\r\n") == std::string::npos)
            {
                const std::string more = read(1);
                if (more.empty())
                    return;
                receivedRequest += more;
            }
            write(answer);
        });
}

std::string RawServer::request()
{
    if (answering.joinable())
        answering.join();
    return receivedRequest;
}

void RawServer::write(const std::string& bytes) const
{
    for (std::size_t written = 0; written < bytes.size();)
    {
        const ssize_t count = send(peer, bytes.data() + written, bytes.size() - written, MSG_NOSIGNAL);
        if (count <= 0)
            return;
        written += static_cast<std::size_t>(count);
    }
}

std::string RawServer::read(std::size_t count) const
{
    std::string bytes;
    char chunk[65536];
    while (bytes.size() < count && readableSoon(peer))
    {
        const ssize_t received = recv(peer, chunk, std::min(sizeof chunk, count - bytes.size()), 0);
        if (received <= 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(received));
    }
    return bytes;
}

bool RawServer::clientClosed() const
{
    char byte = 0;
    return readableSoon(peer) && recv(peer, &byte, 1, 0) == 0;
}
