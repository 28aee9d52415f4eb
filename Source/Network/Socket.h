#pragma once

#include <cstddef>
#include <string>

namespace wsclient
{
class Deadline;

// A stream socket descriptor, closed when its owner lets it go. All of the client's socket calls live here.
class Socket
{
public:
    enum class Outcome
    {
        transferred,
        wouldBlock,
        peerClosed,
        failed
    };
    struct Transfer
    {
        Outcome outcome;
        std::size_t count;
    };
    struct Connection;

    Socket() = default;
    explicit Socket(int descriptor);
    ~Socket();
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // Tries each address of the host in turn until one accepts, all within the deadline.
    static Connection connectToHost(const std::string& host, int port, const Deadline& deadline);
    // Waits without a socket, as a closed connection's poll does.
    static void sleep(int timeoutMs);

    bool isOpen() const { return descriptor >= 0; }
    void close();
    void makeNonBlocking();
    void disableSendDelay();

    Transfer receive(char* data, std::size_t size);
    // Never raises SIGPIPE: a peer that has gone away is an outcome, not the end of the game.
    Transfer send(const char* data, std::size_t size);
    // Returns false when the time passed first.
    bool waitUntilReady(bool orWritable, int timeoutMs);
    bool waitUntilWritable(int timeoutMs);

private:
    int descriptor = -1;
};

struct Socket::Connection
{
    Socket socket;
    bool timedOut = false;
};
}  // namespace wsclient
