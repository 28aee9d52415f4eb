#pragma once

#include <string>
#include <thread>

// A bare TCP server on an ephemeral loopback port, for tests that need exact bytes on the wire. It
// answers one client's handshake in a thread; afterwards the test speaks for the server. Every wait
// ends after five seconds, so a client that never comes or never speaks fails its test instead of
// hanging it.
class RawServer
{
public:
    static const std::string switchingProtocols;
    // A backlog for a port that is bound, so nobody else takes it, but not listening: connections to it
    // are refused.
    static constexpr int refusing = -1;

    explicit RawServer(int backlog = 4);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    // A connected socket to the loopback port, or -1 when nothing accepts there.
    static int connectTo(int port);

    int port() const { return listenPort; }
    std::string url() const { return "ws://127.0.0.1:" + std::to_string(listenPort); }

    // Accepts the next client in a thread, reads its request up to the blank line and writes the answer.
    void answerNextClient(const std::string& answer);
    // Waits for that thread and returns the request it read.
    std::string request();

    void write(const std::string& bytes) const;
    // Up to count bytes, fewer when the client closes or stops sending.
    std::string read(std::size_t count) const;
    // True when the client has closed its end and nothing else was waiting.
    bool clientClosed() const;

private:
    int listener;
    int listenPort = 0;
    int peer = -1;
    std::string receivedRequest;
    std::thread answering;
};
