#include "Network/Socket.h"

#include "Network/ClientLog.h"
#include "Network/Deadline.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace wsclient
{
namespace
{
using AddressList = std::unique_ptr<addrinfo, decltype(&freeaddrinfo)>;

AddressList resolve(const std::string& host, int port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* addresses = nullptr;
    const int code = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &addresses);
    if (code != 0)
    {
        ClientLog::line(std::string("getaddrinfo: ") + gai_strerror(code));
        return AddressList(nullptr, freeaddrinfo);
    }
    return AddressList(addresses, freeaddrinfo);
}

bool isTransient(int error)
{
    return error == EAGAIN || error == EWOULDBLOCK || error == EINPROGRESS || error == EINTR;
}

Socket::Transfer transferOf(ssize_t count)
{
    if (count > 0)
        return {Socket::Outcome::transferred, static_cast<std::size_t>(count)};
    if (count == 0)
        return {Socket::Outcome::peerClosed, 0};
    return {isTransient(errno) ? Socket::Outcome::wouldBlock : Socket::Outcome::failed, 0};
}

// poll() rather than select(): it has no limit on the descriptor's number.
bool waitFor(int descriptor, short events, int timeoutMs)
{
    pollfd entry{descriptor, events, 0};
    int ready = 0;
    do
        ready = ::poll(&entry, 1, timeoutMs);
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

enum class Attempt
{
    connected,
    refused,
    timedOut
};

Attempt connectWithin(Socket& socket, int descriptor, const addrinfo& address, const Deadline& deadline)
{
    socket.makeNonBlocking();
    if (::connect(descriptor, address.ai_addr, address.ai_addrlen) == 0)
        return Attempt::connected;
    if (errno != EINPROGRESS)
        return Attempt::refused;
    if (!waitFor(descriptor, POLLOUT, deadline.remainingMs()))
        return Attempt::timedOut;
    int error = 0;
    socklen_t size = sizeof error;
    getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &error, &size);
    return error == 0 ? Attempt::connected : Attempt::refused;
}
}  // namespace

Socket::Socket(int descriptor) : descriptor(descriptor)
{
}

Socket::~Socket()
{
    close();
}

Socket::Socket(Socket&& other) noexcept : descriptor(other.descriptor)
{
    other.descriptor = -1;
}

Socket& Socket::operator=(Socket&& other) noexcept
{
    if (this != &other)
    {
        close();
        descriptor = other.descriptor;
        other.descriptor = -1;
    }
    return *this;
}

Socket::Connection Socket::connectToHost(const std::string& host, int port, const Deadline& deadline)
{
    Connection result;
    const AddressList addresses = resolve(host, port);
    for (const addrinfo* address = addresses.get(); address != nullptr; address = address->ai_next)
    {
        const int descriptor =
            ::socket(address->ai_family, address->ai_socktype | SOCK_CLOEXEC, address->ai_protocol);
        if (descriptor < 0)
            continue;
        Socket candidate(descriptor);
        const Attempt attempt = connectWithin(candidate, descriptor, *address, deadline);
        if (attempt == Attempt::connected)
        {
            result.socket = std::move(candidate);
            return result;
        }
        if (attempt == Attempt::timedOut)
        {
            result.timedOut = true;
            return result;
        }
    }
    return result;
}

void Socket::sleep(int timeoutMs)
{
    ::poll(nullptr, 0, timeoutMs);
}

void Socket::close()
{
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
}

void Socket::makeNonBlocking()
{
    const int flags = fcntl(descriptor, F_GETFL, 0);
    if (flags >= 0)
        fcntl(descriptor, F_SETFL, flags | O_NONBLOCK);
}

void Socket::disableSendDelay()
{
    // Fails harmlessly on sockets that are not TCP.
    const int on = 1;
    setsockopt(descriptor, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

Socket::Transfer Socket::receive(char* data, std::size_t size)
{
    return transferOf(::recv(descriptor, data, size, 0));
}

Socket::Transfer Socket::send(const char* data, std::size_t size)
{
    return transferOf(::send(descriptor, data, size, MSG_NOSIGNAL));
}

bool Socket::waitUntilReady(bool orWritable, int timeoutMs)
{
    return waitFor(descriptor, static_cast<short>(POLLIN | (orWritable ? POLLOUT : 0)), timeoutMs);
}

bool Socket::waitUntilWritable(int timeoutMs)
{
    return waitFor(descriptor, POLLOUT, timeoutMs);
}
}  // namespace wsclient
