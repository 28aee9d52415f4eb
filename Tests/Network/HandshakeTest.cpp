#include "ClientDriver.h"
#include "Support/ConsoleCapture.h"
#include "Support/RawServer.h"

#include "Network/Deadline.h"
#include "Network/Handshake.h"
#include "Network/Socket.h"
#include "Network/WebSocket.h"
#include "Network/WebSocketUrl.h"

#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

using testing::Contains;
using testing::ElementsAre;
using wsclient::WebSocket;
using wsclient::WebSocketUrl;

namespace
{
const std::string statusLine = "HTTP/1.1 101 Switching Protocols\r\n";
const std::string firstFrame = "\x81\x02ok";

// Connects as the game does; what the client writes to the error stream lands in `log`.
std::unique_ptr<WebSocket> connect(const std::string& url, std::vector<std::string>& log,
                                   const std::string& origin = "")
{
    ConsoleCapture capture(ConsoleCapture::Stream::error);
    auto client = WebSocket::fromUrl(url, origin, 2000);
    log = capture.lines();
    return client;
}

// Header lines of filler that, with the blank line that ends them, come to exactly `size` bytes.
std::string headersOf(std::size_t size)
{
    std::string headers;
    while (size - headers.size() > 2)
    {
        const std::size_t line = std::min<std::size_t>(100, size - headers.size() - 2);
        headers += "X-Filler: " + std::string(line - 12, 'f') + "\r\n";
    }
    return headers + "\r\n";
}

// How a server answers the upgrade, and the error line the client gives for it (none: it connects and
// the frame right after the answer is its first message).
struct Answer
{
    std::string name;
    std::string bytes;
    std::string errorBeforeUrl;
    std::string errorAfterUrl;
};

void PrintTo(const Answer& answer, std::ostream* out)
{
    *out << answer.name;
}

class HandshakeAnswerTest : public testing::TestWithParam<Answer>
{
};

TEST_P(HandshakeAnswerTest, OnlyAnHttp11SwitchWithinTheLimitsOpensTheConnection)
{
    const Answer& answer = GetParam();
    RawServer server;
    server.answerNextClient(answer.bytes + firstFrame);
    std::vector<std::string> log;
    auto client = connect(server.url(), log);
    if (!answer.errorBeforeUrl.empty())
    {
        EXPECT_EQ(client, nullptr);
        EXPECT_THAT(log, Contains(answer.errorBeforeUrl + server.url() + answer.errorAfterUrl));
        return;
    }
    ASSERT_NE(client, nullptr);
    ClientDriver driver(*client);
    ASSERT_TRUE(driver.receive(1));
    EXPECT_THAT(driver.messages, ElementsAre("ok"));
}

const std::string badStatus = "ERROR: Got bad status connecting to ";
const std::string longStatus = "HTTP/1.1 101 " + std::string(239, 'x');

INSTANTIATE_TEST_SUITE_P(
    Answers, HandshakeAnswerTest,
    testing::Values(
        Answer{"Switch", RawServer::switchingProtocols, "", ""},
        Answer{"NotFound", "HTTP/1.1 404 Not Found\r\n\r\n", badStatus, ": HTTP/1.1 404 Not Found\r"},
        Answer{"Http10", "HTTP/1.0 101 Switching Protocols\r\n\r\n", badStatus,
               ": HTTP/1.0 101 Switching Protocols\r"},
        Answer{"Status1010", "HTTP/1.1 1010 Switching\r\n\r\n", badStatus, ": HTTP/1.1 1010 Switching\r"},
        Answer{"NotHttp", "SSH-2.0-OpenSSH_9.2\r\n\r\n", badStatus, ": SSH-2.0-OpenSSH_9.2\r"},
        Answer{"StatusLineOf254Bytes", longStatus + "\r\n\r\n", "", ""},
        Answer{"StatusLineOf255Bytes", longStatus + "x\r\n\r\n",
               "ERROR: Got invalid status line connecting to: ", ""},
        Answer{"HeadersOf16KB", statusLine + headersOf(wsclient::Handshake::maximumHeaderBytes), "", ""},
        Answer{"HeadersPast16KB", statusLine + headersOf(wsclient::Handshake::maximumHeaderBytes + 1),
               "ERROR: Got more than 16384 bytes of headers connecting to: ", ""}),
    [](const testing::TestParamInfo<Answer>& info) { return info.param.name; });

// Ways a peer can hold the handshake up; the client must give up at its time limit whichever it meets.
enum class Stall
{
    silentServer,             // the system accepts the connection; nobody reads the request
    queueFull,                // the connection is never accepted
    tricklingHeaders,         // the headers come a line at a time and never end
    answerUnreadAtTimeLimit,  // the whole answer waits, but the time is already up
    requestUnread             // the peer answers but never reads, so the request cannot be sent
};

class HandshakeTimeLimitTest : public testing::TestWithParam<Stall>
{
};

TEST_P(HandshakeTimeLimitTest, TheClientGivesUpAtItsTimeLimitAndSaysSo)
{
    const Stall stall = GetParam();
    const int limitMs = stall == Stall::answerUnreadAtTimeLimit ? 0 : 200;
    RawServer server(stall == Stall::queueFull ? 0 : 4);
    std::string url = server.url();
    std::function<bool()> handshake = [&] { return WebSocket::fromUrl(url, "", limitMs) != nullptr; };
    int peer = -1;
    if (stall == Stall::queueFull)
        peer = RawServer::connectTo(server.port());  // takes the one place in the queue
    if (stall == Stall::tricklingHeaders)
        server.answerNextClient(statusLine);
    wsclient::Socket clientEnd;
    if (stall == Stall::answerUnreadAtTimeLimit || stall == Stall::requestUnread)
    {
        // The handshake alone, on one end of a connected pair whose other end the test holds.
        int ends[2] = {-1, -1};
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends);
        clientEnd = wsclient::Socket(ends[0]);
        clientEnd.makeNonBlocking();
        peer = ends[1];
        const std::string filler(1 << 16, 'z');
        while (stall == Stall::requestUnread &&
               clientEnd.send(filler.data(), filler.size()).outcome == wsclient::Socket::Outcome::transferred)
        {
        }
        send(peer, RawServer::switchingProtocols.data(), RawServer::switchingProtocols.size(), 0);
        url = "ws://observer";
        handshake = [&]
        {
            const wsclient::Deadline deadline(limitMs);
            return wsclient::Handshake(clientEnd, url, deadline, limitMs)
                .perform(*WebSocketUrl::parse(url), "");
        };
    }

    ConsoleCapture capture(ConsoleCapture::Stream::error);
    auto connecting = std::async(std::launch::async, handshake);
    if (stall == Stall::tricklingHeaders)
        server.request();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ClientDriver::patienceMs);
    while (connecting.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready &&
           std::chrono::steady_clock::now() < end)
    {
        if (stall == Stall::tricklingHeaders)
            server.write("X-Trickle: y\r\n");
    }
    const bool gaveUp = connecting.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    // Reading lets a client that is still sending finish, so that the test ends either way.
    char chunk[65536];
    while (stall == Stall::requestUnread &&
           connecting.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        recv(peer, chunk, sizeof chunk, MSG_DONTWAIT);
    close(peer);
    EXPECT_TRUE(gaveUp) << "the client still waited when the test stopped waiting";
    EXPECT_FALSE(connecting.get());
    EXPECT_THAT(capture.lines(), Contains("ERROR: Handshake timed out after " + std::to_string(limitMs) +
                                          " ms connecting to: " + url));
}

const char* const stallNames[] = {"SilentServer", "QueueFull", "TricklingHeaders", "AnswerUnreadAtTimeLimit",
                                  "RequestUnread"};
INSTANTIATE_TEST_SUITE_P(Stalls, HandshakeTimeLimitTest,
                         testing::Values(Stall::silentServer, Stall::queueFull, Stall::tricklingHeaders,
                                         Stall::answerUnreadAtTimeLimit, Stall::requestUnread),
                         [](const testing::TestParamInfo<Stall>& info)
                         { return stallNames[static_cast<int>(info.param)]; });

TEST(HandshakeTest, AnUnreadableUrlAUrlOf128BytesOrAnOriginOf200AreRefusedBeforeConnecting)
{
    for (const char* text :
         {"wss://localhost:1337", "WS://localhost", "http://localhost", "ws://", "ws://:1337",
          "ws://localhost:0", "ws://localhost:70000", "ws://localhost:99999999999999999999"})
        EXPECT_FALSE(WebSocketUrl::parse(text)) << text;
    const RawServer refusing(RawServer::refusing);
    const std::string start = "ws://127.0.0.1:" + std::to_string(refusing.port()) + "/";
    const std::string longestUrl = start + std::string(127 - start.size(), 'p');
    std::vector<std::string> log;
    EXPECT_EQ(connect(longestUrl, log), nullptr);
    EXPECT_THAT(log, Contains("Unable to connect to 127.0.0.1:" + std::to_string(refusing.port())));

    const std::string longOrigin(200, 'o');
    for (const auto& [url, origin, error] :
         {std::tuple{std::string("wss://localhost:1337"), std::string(),
                     std::string("Could not parse WebSocket url: wss://localhost:1337")},
          {longestUrl + "p", "", "url size limit exceeded: " + longestUrl + "p"},
          {start, longOrigin, "origin size limit exceeded: " + longOrigin}})
    {
        EXPECT_EQ(connect(url, log, origin), nullptr);
        EXPECT_THAT(log, ElementsAre("ERROR: " + error));
    }
}
}  // namespace
