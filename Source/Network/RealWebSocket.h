#pragma once

#include "Network/FrameParser.h"
#include "Network/FrameWriter.h"
#include "Network/Socket.h"
#include "Network/WebSocket.h"

namespace wsclient
{
// A connection over a socket whose handshake is done; never blocks unless poll is given time to wait.
class RealWebSocket : public WebSocket
{
public:
    // Bytes asked of the socket per receive call: one Ethernet payload.
    static constexpr std::size_t receiveChunkBytes = 1500;

    // Takes a connected socket and sets it up for polling: non-blocking, small frames sent at once.
    RealWebSocket(Socket socket, bool useMask);
    // Closes the socket without a closing handshake; nothing else would release the descriptor.
    ~RealWebSocket() override = default;

    void poll(int timeoutMs) override;
    void send(const std::string& message) override;
    void sendPing() override;
    void close() override;
    ReadyState getReadyState() const override;
    void dispatchCallback(Callback& callback) override;

private:
    void sendData(Opcode opcode, const std::string& payload);
    void reportFullSendBuffer();
    bool receiveAvailable();
    void sendPending();
    void handle(const Frame& frame, Callback& callback);
    void rejectUnexpected();
    void connectionLost(Socket::Outcome outcome);
    void closeSocket();

    FrameParser receiveBuffer;
    FrameWriter sendBuffer;
    Socket socketHandle;
    ReadyState readyState = OPEN;
    bool fullSendBufferReported = false;
};
}  // namespace wsclient
