#include "ClientDriver.h"
#include "Support/ConsoleCapture.h"
#include "Support/RawServer.h"

#include "Network/FrameParser.h"
#include "Network/FrameWriter.h"
#include "Network/RealWebSocket.h"

#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

using testing::ElementsAre;
using testing::StartsWith;
using wsclient::FrameParser;
using wsclient::FrameWriter;
using wsclient::WebSocket;

namespace
{
const std::string maskingKey = "\x5A\xC3\x17\x9E";
const std::string closeFrame("\x88\x80\0\0\0\0", 6);

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

std::string lengthHeader(std::size_t length)
{
    std::string header = "\x81\x7F";
    for (int shift = 56; shift >= 0; shift -= 8)
        header += static_cast<char>((length >> shift) & 0xFF);
    return header;
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
        client->send(payloadOf(size));
        const std::string bytes = sentBytes(header.size() + maskingKey.size() + size);
        EXPECT_EQ(bytes.substr(0, header.size() + maskingKey.size()), header + maskingKey) << size;
        EXPECT_TRUE(bytes.substr(header.size() + maskingKey.size()) == masked(payloadOf(size))) << size;
    }
}

TEST_F(FramesTest, FramesAreCutFromTheStreamWhereverTheReceivesFallUpToTheSizeOfTheBuffer)
{
    server.write("\x81\x03one\x81\x03two");
    client->poll(ClientDriver::patienceMs);
    driver->frame();
    EXPECT_THAT(driver->messages, ElementsAre("one", "two"));

    const std::string payload = payloadOf(FrameParser::defaultCapacity - 10);
    const std::string frame = lengthHeader(payload.size()) + payload;
    for (const auto& [from, to] : {std::pair{0, 1}, {1, 3}, {3, 150}})
    {
        server.write(frame.substr(from, to - from));
        driver->frame(30);
    }
    EXPECT_EQ(driver->messages.size(), 2u);
    server.write(frame.substr(150));
    ASSERT_TRUE(driver->receive(3));
    EXPECT_TRUE(driver->messages.back() == payload);
}

// A frame from the server that ends the connection: the client answers with a close frame and closes
// its socket, with the lines it writes to the error stream.
struct EndingFrame
{
    std::string name;
    std::string bytes;
    std::vector<std::string> log;
};

void PrintTo(const EndingFrame& frame, std::ostream* out)
{
    *out << frame.name;
}

class EndingFrameTest : public FramesTest, public testing::WithParamInterface<EndingFrame>
{
};

TEST_P(EndingFrameTest, IsAnsweredWithACloseFrameAndTheSocketClosed)
{
    ConsoleCapture capture(ConsoleCapture::Stream::error);
    server.write(GetParam().bytes);
    EXPECT_EQ(sentBytes(closeFrame.size()), closeFrame);
    EXPECT_TRUE(server.clientClosed());
    EXPECT_EQ(client->getReadyState(), WebSocket::CLOSED);
    // What the game still sends goes nowhere, quietly.
    client->send("late");
    client->poll(0);
    EXPECT_EQ(capture.lines(), GetParam().log);
}

const std::vector<std::string> unexpected{"ERROR: Got unexpected WebSocket message."};

INSTANTIATE_TEST_SUITE_P(Frames, EndingFrameTest,
                         testing::Values(EndingFrame{"Close", std::string("\x88\x00", 2), {}},
                                         EndingFrame{"Binary", std::string("\x82\x03") + "abc", unexpected},
                                         EndingFrame{"Fragment", std::string("\x01\x03") + "abc", unexpected},
                                         EndingFrame{"AbsurdLength", lengthHeader(~0ull), unexpected},
                                         EndingFrame{"LongerThanTheBuffer",
                                                     lengthHeader(FrameParser::defaultCapacity - 10 + 1),
                                                     unexpected}),
                         [](const testing::TestParamInfo<EndingFrame>& info) { return info.param.name; });

// A client on one end of a socket pair whose other end the test holds.
class PeerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
        client.emplace(wsclient::Socket(ends[0]), true);
    }
    void TearDown() override { close(ends[1]); }

    int ends[2] = {-1, -1};
    std::optional<wsclient::RealWebSocket> client;
};

TEST_F(PeerTest, APeerThatStopsReadingGivesConnectionErrorInsteadOfSigpipe)
{
    shutdown(ends[1], SHUT_RD);
    ConsoleCapture capture(ConsoleCapture::Stream::error);
    client->send("anyone there?");
    client->poll(0);
    EXPECT_EQ(client->getReadyState(), WebSocket::CLOSED);
    EXPECT_THAT(capture.lines(), ElementsAre("Connection error!"));
}

TEST_F(PeerTest, APeerThatLeavesMidStreamHasAllItSentDeliveredThenGivesConnectionClosed)
{
    std::string frames;
    for (int index = 0; index < 50; ++index)
        frames += "\x81\x02" + std::to_string(100 + index).substr(1);
    ASSERT_EQ(write(ends[1], frames.data(), frames.size()), static_cast<ssize_t>(frames.size()));
    close(std::exchange(ends[1], -1));
    ConsoleCapture capture(ConsoleCapture::Stream::error);
    ClientDriver driver(*client);
    ASSERT_TRUE(driver.runUntil([this] { return client->getReadyState() == WebSocket::CLOSED; }));
    EXPECT_THAT(capture.lines(), ElementsAre("Connection closed!"));
    ASSERT_EQ(driver.messages.size(), 50u);
    EXPECT_EQ(driver.messages.back(), "49");
}

TEST_F(PeerTest, APeerThatStopsReadingCostsABoundedBacklogAndOneWarning)
{
    int kernelBytes = 0;
    socklen_t size = sizeof kernelBytes;
    getsockopt(ends[0], SOL_SOCKET, SO_SNDBUF, &kernelBytes, &size);
    ConsoleCapture capture(ConsoleCapture::Stream::error);
    const std::string padding(1 << 16, 'x');
    for (std::size_t index = 0; index < 3 * FrameWriter::defaultCapacity / padding.size(); ++index)
    {
        client->send(std::to_string(index) + ":" + padding);
        client->poll(0);
    }
    EXPECT_EQ(client->getReadyState(), WebSocket::OPEN);
    EXPECT_THAT(capture.lines(), ElementsAre(StartsWith("WARNING: ")));

    // The peer reads again: the oldest messages arrive whole and in order, and the close frame still goes.
    client->close();
    std::string received;
    ASSERT_TRUE(ClientDriver(*client).runUntil(
        [&]
        {
            char chunk[65536];
            ssize_t count = 0;
            while ((count = recv(ends[1], chunk, sizeof chunk, MSG_DONTWAIT)) > 0)
                received.append(chunk, static_cast<std::size_t>(count));
            return count == 0;
        }));
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
}  // namespace
