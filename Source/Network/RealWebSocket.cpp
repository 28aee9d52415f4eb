#include "Network/RealWebSocket.h"

#include "Network/ClientLog.h"

#include <algorithm>

namespace wsclient
{
RealWebSocket::RealWebSocket(Socket socket, bool useMask)
    : sendBuffer(useMask), socketHandle(std::move(socket))
{
    socketHandle.disableSendDelay();
    socketHandle.makeNonBlocking();
}

void RealWebSocket::poll(int timeoutMs)
{
    if (readyState == CLOSED)
    {
        if (timeoutMs > 0)
            Socket::sleep(timeoutMs);
        return;
    }
    if (timeoutMs > 0)
        socketHandle.waitUntilReady(!sendBuffer.empty(), timeoutMs);
    if (!receiveAvailable())
        return;
    sendPending();
    if (readyState == CLOSING && sendBuffer.empty())
        closeSocket();
}

void RealWebSocket::send(const std::string& message)
{
    sendData(Opcode::text, message);
}

void RealWebSocket::sendPing()
{
    sendData(Opcode::ping, std::string());
}

void RealWebSocket::close()
{
    if (readyState == CLOSING || readyState == CLOSED)
        return;
    readyState = CLOSING;
    sendBuffer.appendCloseFrame();
}

WebSocket::ReadyState RealWebSocket::getReadyState() const
{
    return readyState;
}

void RealWebSocket::dispatchCallback(Callback& callback)
{
    Frame frame;
    for (;;)
    {
        const FrameParser::Result result = receiveBuffer.next(frame);
        if (result == FrameParser::Result::incomplete)
            return;
        if (result == FrameParser::Result::oversized)
        {
            rejectUnexpected();
            return;
        }
        handle(frame, callback);
    }
}

void RealWebSocket::sendData(Opcode opcode, const std::string& payload)
{
    if (readyState == CLOSING || readyState == CLOSED)
        return;
    // The telemetry is a live stream: a backlog it cannot send is worth less than the memory it would take.
    if (!sendBuffer.appendFrame(opcode, payload))
        reportFullSendBuffer();
}

// Once per connection: while the peer lags, every message dropped would say the same.
void RealWebSocket::reportFullSendBuffer()
{
    if (fullSendBufferReported)
        return;
    fullSendBufferReported = true;
    ClientLog::warning("WebSocket send buffer full (" + std::to_string(FrameWriter::defaultCapacity) +
                       " bytes): the peer is not reading; new messages are dropped until it catches up.");
}

// Until the socket has nothing more, or the receive buffer is full: the rest waits in the socket.
bool RealWebSocket::receiveAvailable()
{
    char chunk[receiveChunkBytes];
    for (;;)
    {
        const std::size_t wanted = std::min(sizeof chunk, receiveBuffer.room());
        if (wanted == 0)
            return true;
        const Socket::Transfer transfer = socketHandle.receive(chunk, wanted);
        if (transfer.outcome == Socket::Outcome::wouldBlock)
            return true;
        if (transfer.outcome != Socket::Outcome::transferred)
        {
            connectionLost(transfer.outcome);
            return false;
        }
        receiveBuffer.append(chunk, transfer.count);
    }
}

void RealWebSocket::sendPending()
{
    while (!sendBuffer.empty())
    {
        const Socket::Transfer transfer = socketHandle.send(sendBuffer.data(), sendBuffer.size());
        if (transfer.outcome == Socket::Outcome::wouldBlock)
            return;
        if (transfer.outcome != Socket::Outcome::transferred)
        {
            connectionLost(transfer.outcome);
            return;
        }
        sendBuffer.consume(transfer.count);
    }
}

void RealWebSocket::handle(const Frame& frame, Callback& callback)
{
    switch (frame.opcode)
    {
    case Opcode::text:
        if (!frame.final)
            break;
        callback(frame.payload);
        return;
    case Opcode::ping:
        sendData(Opcode::pong, frame.payload);
        return;
    case Opcode::pong:
        return;
    case Opcode::close:
        close();
        return;
    default:
        break;
    }
    rejectUnexpected();
}

void RealWebSocket::rejectUnexpected()
{
    ClientLog::error("Got unexpected WebSocket message.");
    close();
}

void RealWebSocket::connectionLost(Socket::Outcome outcome)
{
    closeSocket();
    ClientLog::line(outcome == Socket::Outcome::peerClosed ? "Connection closed!" : "Connection error!");
}

void RealWebSocket::closeSocket()
{
    socketHandle.close();
    readyState = CLOSED;
}
}  // namespace wsclient
