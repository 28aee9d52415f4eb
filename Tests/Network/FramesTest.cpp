#include "ClientDriver.h"
#include "RawServer.h"
#include "Support/ConsoleCapture.h"

#include "Network/FrameParser.h"
#include "Network/FrameWriter.h"
#include "Network/RealWebSocket.h"

#include <chrono>
#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

using testing::ElementsAre;
using testing::StartsWith;
using wsclient::FrameParser;
using wsclient::FrameWriter;
using wsclient::WebSocket;

namespace
{
const std::string maskingKey = "\x5A\xC3\x17\x9E";
const std::string closeFrame("\x88\x80\0\0\0\0", 6);
const std::string unexpectedLine = "ERROR: Got unexpected WebSocket message.";

std::string masked(const std::string& payload)
{
    std::string result = payload;
    for (std::size_t index = 0; index < result.size(); ++index)
        result[index] = static_cast<char>(result[index] ^ maskingKey[index % 4]);
    return result;
}

std::string payloadOf(std::size_t size)
{
    std::string payload(size, ' ');
    for (std::size_t index = 0; index < size; ++index)
        payload[index] = static_cast<char>('a' + index * 7 % 26);
    return payload;
}

// A client connected to a raw server; the test speaks for the server.
class FramesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        server.answerNextClient(RawServer::switchingProtocols);
        client = WebSocket::fromUrl(server.url());
        server.request();
        ASSERT_NE(client, nullptr);
        driver.emplace(*client);
    }

    // What the server receives of the client's next bytes, while the client polls as the frame loop does.
    std::string sentBytes(std::size_t count)
    {
        auto reading = std::async(std::launch::async, [this, count] { return server.read(count); });
        while (reading.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
            driver->frame();
        return reading.get();
    }

    // The server sends a frame the client may not take: the client says so and starts closing.
    void expectRejected(const std::string& frame)
    {
        ConsoleCapture capture(ConsoleCapture::Stream::error);
        server.write(frame);
        ASSERT_TRUE(driver->runUntil([this] { return client->getReadyState() != WebSocket::OPEN; }));
        EXPECT_EQ(sentBytes(closeFrame.size()), closeFrame);
        EXPECT_TRUE(server.clientClosed());
        EXPECT_EQ(client->getReadyState(), WebSocket::CLOSED);
        EXPECT_THAT(capture.lines(), ElementsAre(unexpectedLine));
    }

    RawServer server;
    std::unique_ptr<WebSocket> client;
    std::optional<ClientDriver> driver;
};

TEST_F(FramesTest, TextFramesCarryTheHeaderForTheirLengthAndAMaskedPayload)
{
    const std::pair<std::size_t, std::string> headers[] = {
        {5, "\x81\x85"},
        {125, "\x81\xFD"},
        {126, std::string("\x81\xFE\0\x7E", 4)},
        {65536, std::string("\x81\xFF\0\0\0\0\0\x01\0\0", 10)}};
    for (const auto& [size, header] : headers)
    {
        const std::string payload = payloadOf(size);
        client->send(payload);
        const std::string bytes = sentBytes(header.size() + maskingKey.size() + size);
        EXPECT_EQ(bytes.substr(0, header.size() + maskingKey.size()), header + maskingKey) << size;
        EXPECT_TRUE(bytes.substr(header.size() + maskingKey.size()) == masked(payload)) << size;
    }
}

TEST_F(FramesTest, APingIsAnsweredWithAMaskedPongOfTheSamePayloadAndPingsGoOutEmpty)
{
    server.write("\x89\x09ping-data");
    driver->runFor(50);
    EXPECT_EQ(sentBytes(6 + 9), "\x8A\x89" + maskingKey + masked("ping-data"));

    client->sendPing();
    EXPECT_EQ(sentBytes(6), "\x89\x80" + maskingKey);
    EXPECT_TRUE(driver->messages.empty());
}

TEST_F(FramesTest, ABinaryFrameIsUnexpected)
{
    expectRejected("\x82\x03"
                   "abc");
}

TEST_F(FramesTest, AFragmentedTextIsUnexpected)
{
    expectRejected("\x01\x03"
                   "abc");
}

TEST_F(FramesTest, AnAbsurdLengthClosesTheConnectionInsteadOfWaitingForIt)
{
    expectRejected(std::string("\x81\x7F\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 10));
}

TEST_F(FramesTest, ALengthBeyondTheReceiveBufferClosesTheConnection)
{
    const std::size_t length = FrameParser::defaultCapacity;
    std::string header = "\x81\x7F";
    for (int shift = 56; shift >= 0; shift -= 8)
        header += static_cast<char>((length >> shift) & 0xFF);
    expectRejected(header);
}

TEST_F(FramesTest, TwoFramesInOneReceiveAreDispatchedTogetherInOrder)
{
    server.write("\x81\x03one\x81\x03two");
    client->poll(ClientDriver::patienceMs);
    driver->frame();
    EXPECT_THAT(driver->messages, ElementsAre("one", "two"));
}

TEST_F(FramesTest, AFrameSplitOverSeveralReceivesWaitsForItsLastByte)
{
    const std::string payload = payloadOf(300);
    const std::string frame = "\x81\x7E\x01\x2C" + payload;
    std::size_t written = 0;
    for (const std::size_t cut : {1, 3, 150})
    {
        server.write(frame.substr(written, cut - written));
        written = cut;
        driver->runFor(30);
    }
    EXPECT_TRUE(driver->messages.empty());
    server.write(frame.substr(150));
    ASSERT_TRUE(driver->receive(1));
    EXPECT_THAT(driver->messages, ElementsAre(payload));
}

TEST_F(FramesTest, ACloseFromTheServerIsAnsweredAndTheSocketClosed)
{
    server.write(std::string("\x88\x00", 2));
    EXPECT_EQ(sentBytes(closeFrame.size()), closeFrame);
    EXPECT_TRUE(server.clientClosed());
    EXPECT_EQ(client->getReadyState(), WebSocket::CLOSED);
}

TEST_F(FramesTest, CloseSendsTheCloseFrameLastAndLaterMessagesAreDropped)
{
    client->send("before");
    client->close();
    EXPECT_EQ(client->getReadyState(), WebSocket::CLOSING);
    client->send("after");
    client->sendPing();
    client->close();
    EXPECT_EQ(sentBytes(6 + 6 + closeFrame.size()), "\x81\x86" + maskingKey + masked("before") + closeFrame);
    EXPECT_TRUE(server.clientClosed());
    EXPECT_EQ(client->getReadyState(), WebSocket::CLOSED);
}

TEST_F(FramesTest, DestroyingTheClientReleasesItsSocket)
{
    client.reset();
    EXPECT_TRUE(server.clientClosed());
}

TEST(RealWebSocketTest, APeerThatStopsReadingGivesConnectionErrorInsteadOfSigpipe)
{
    int ends[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
    wsclient::RealWebSocket client(wsclient::Socket(ends[0]), true);
    shutdown(ends[1], SHUT_RD);

    ConsoleCapture capture(ConsoleCapture::Stream::error);
    client.send("anyone there?");
    client.poll(0);
    EXPECT_EQ(client.getReadyState(), WebSocket::CLOSED);
    EXPECT_THAT(capture.lines(), ElementsAre("Connection error!"));
    close(ends[1]);
}

TEST(RealWebSocketTest, APeerThatStopsReadingCostsABoundedBacklogAndOneWarning)
{
    int ends[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
    int kernelBytes = 0;
    socklen_t size = sizeof kernelBytes;
    getsockopt(ends[0], SOL_SOCKET, SO_SNDBUF, &kernelBytes, &size);
    wsclient::RealWebSocket client(wsclient::Socket(ends[0]), true);

    ConsoleCapture capture(ConsoleCapture::Stream::error);
    const std::string padding(1 << 16, 'x');
    const std::size_t sent = 3 * FrameWriter::defaultCapacity / padding.size();
    for (std::size_t index = 0; index < sent; ++index)
    {
        client.send(std::to_string(index) + ":" + padding);
        client.poll(0);
    }
    EXPECT_EQ(client.getReadyState(), WebSocket::OPEN);
    EXPECT_THAT(capture.lines(), ElementsAre(StartsWith("WARNING: ")));

    // The peer reads again: the oldest messages arrive whole and in order, and the close frame still goes.
    client.close();
    ClientDriver driver(client);
    std::string received;
    ASSERT_TRUE(driver.runUntil(
        [&]
        {
            char chunk[65536];
            ssize_t count = 0;
            while ((count = recv(ends[1], chunk, sizeof chunk, MSG_DONTWAIT)) > 0)
                received.append(chunk, static_cast<std::size_t>(count));
            return count == 0;
        }));
    close(ends[1]);
    EXPECT_LE(received.size(), FrameWriter::defaultCapacity + static_cast<std::size_t>(kernelBytes));
    FrameParser parser;
    parser.append(received.data(), received.size());
    wsclient::Frame frame;
    std::size_t next = 0;
    while (parser.next(frame) == FrameParser::Result::frame && frame.opcode == wsclient::Opcode::text)
        ASSERT_EQ(frame.payload, std::to_string(next++) + ":" + padding);
    EXPECT_EQ(frame.opcode, wsclient::Opcode::close);
    EXPECT_GT(next, 0u);
}

TEST(FrameWriterTest, AFrameThatWouldPassTheCapacityIsRefusedWholeUntilTheSocketTakesBytes)
{
    const std::string payload(50, 'p');
    const std::size_t frameSize = 6 + payload.size();
    FrameWriter writer(true, 2 * frameSize);
    EXPECT_TRUE(writer.appendFrame(wsclient::Opcode::text, payload));
    EXPECT_TRUE(writer.appendFrame(wsclient::Opcode::text, payload));
    EXPECT_FALSE(writer.appendFrame(wsclient::Opcode::text, payload));
    EXPECT_FALSE(writer.appendFrame(wsclient::Opcode::ping, "..."));
    EXPECT_EQ(writer.size(), 2 * frameSize);

    writer.consume(frameSize - 1);
    EXPECT_FALSE(writer.appendFrame(wsclient::Opcode::text, payload));
    writer.consume(1);
    EXPECT_TRUE(writer.appendFrame(wsclient::Opcode::text, payload));
    writer.appendCloseFrame();
    EXPECT_EQ(writer.size(), 2 * frameSize + closeFrame.size());
}

TEST(FrameParserTest, AFrameThatFillsTheBufferIsTakenAndOneByteMoreIsOversized)
{
    const std::size_t capacity = 64;
    FrameParser parser(capacity);
    const std::string fitting = "\x81\x3E" + payloadOf(capacity - 2);
    parser.append(fitting.data(), fitting.size());
    wsclient::Frame frame;
    ASSERT_EQ(parser.next(frame), FrameParser::Result::frame);
    EXPECT_EQ(frame.payload, payloadOf(capacity - 2));

    const std::string tooLong = "\x81\x3F";
    parser.append(tooLong.data(), tooLong.size());
    EXPECT_EQ(parser.next(frame), FrameParser::Result::oversized);
    // The stream cannot be followed past it: whatever comes after is not read as frames.
    parser.append(fitting.data(), fitting.size());
    EXPECT_EQ(parser.next(frame), FrameParser::Result::incomplete);
    EXPECT_GT(parser.room(), 0u);
}

TEST(FrameParserTest, AMaskedFrameArrivesUnmasked)
{
    FrameParser parser;
    const std::string frame = "\x81\x85" + maskingKey + masked("hello");
    parser.append(frame.data(), frame.size());
    wsclient::Frame received;
    ASSERT_EQ(parser.next(received), FrameParser::Result::frame);
    EXPECT_EQ(received.payload, "hello");
    EXPECT_TRUE(received.final);
    EXPECT_EQ(received.opcode, wsclient::Opcode::text);
}
}  // namespace
