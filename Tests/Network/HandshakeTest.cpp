#include "ClientDriver.h"
#include "RawServer.h"
#include "Support/ConsoleCapture.h"
#include "Support/RefusingPort.h"

#include "Network/Deadline.h"
#include "Network/Handshake.h"
#include "Network/Socket.h"
#include "Network/WebSocket.h"
#include "Network/WebSocketUrl.h"

#include <arpa/inet.h>
#include <chrono>
#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using testing::Contains;
using testing::ElementsAre;
using wsclient::Handshake;
using wsclient::WebSocket;
using wsclient::WebSocketUrl;

namespace
{
const std::string fixedRequestTail = "Sec-WebSocket-Key: kP7vRz2LqW9sN4dXc1YhAg==\r\n"
                                     "Sec-WebSocket-Version: 13\r\n"
                                     "\r\n";

std::unique_ptr<WebSocket> connectCapturing(const std::string& url, std::vector<std::string>& errorLines,
                                            const std::string& origin = "", int timeoutMs = 2000)
{
    ConsoleCapture capture(ConsoleCapture::Stream::error);
    auto client = WebSocket::fromUrl(url, origin, timeoutMs);
    errorLines = capture.lines();
    return client;
}

const std::string statusLine = "HTTP/1.1 101 Switching Protocols\r\n";

// Header lines of filler that, with the blank line that ends them, come to exactly the given size.
std::string headersOf(std::size_t size)
{
    const std::string name = "X-Filler: ";
    const std::size_t lineBytes = 100;
    std::string headers;
    while (size - headers.size() > 2)
    {
        const std::size_t line = std::min(lineBytes, size - headers.size() - 2);
        headers += name + std::string(line - name.size() - 2, 'f') + "\r\n";
    }
    return headers + "\r\n";
}

// The server answers the upgrade and then sends the header line again and again, each after the pause,
// while the client connects in the background. True when the client gave up while the lines still came.
bool clientGivesUpWhileHeadersFlow(const std::string& headerLine, int pauseMs, int timeoutMs,
                                   std::vector<std::string>& errorLines, std::string& url)
{
    RawServer server;
    url = server.url();
    server.answerNextClient(statusLine);
    auto connecting = std::async(std::launch::async,
                                 [&] { return connectCapturing(server.url(), errorLines, "", timeoutMs); });
    server.request();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ClientDriver::patienceMs);
    while (connecting.wait_for(std::chrono::milliseconds(pauseMs)) != std::future_status::ready &&
           std::chrono::steady_clock::now() < end)
        server.write(headerLine);
    const bool gaveUp = connecting.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    EXPECT_EQ(connecting.get(), nullptr);
    return gaveUp;
}

// Both ends of a connected pair: the client's end as the handshake gets it, and the peer's.
class SocketPair
{
public:
    SocketPair()
    {
        int ends[2] = {-1, -1};
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends);
        client = wsclient::Socket(ends[0]);
        client.makeNonBlocking();
        peer = ends[1];
    }
    ~SocketPair() { close(peer); }
    SocketPair(const SocketPair&) = delete;
    SocketPair& operator=(const SocketPair&) = delete;

    // Fills the client's way out, so that its next send would block until the peer reads.
    void stopReading()
    {
        const std::string chunk(1 << 16, 'z');
        while (client.send(chunk.data(), chunk.size()).outcome == wsclient::Socket::Outcome::transferred)
        {
        }
    }

    wsclient::Socket client;
    int peer = -1;
};

TEST(WebSocketUrlTest, ReadsHostPortAndPathByTheFirstPatternThatFits)
{
    struct Case
    {
        std::string text, host;
        int port;
        std::string path;
    };
    const Case cases[] = {{"ws://localhost:1337", "localhost", 1337, ""},
                          {"ws://observer/match/1/tiles", "observer", 80, "match/1/tiles"},
                          {"ws://observer", "observer", 80, ""},
                          {"ws://observer:8080/feed tail", "observer", 8080, "feed"},
                          {"ws://observer:8080/", "observer", 8080, ""},
                          {"ws://observer:feed", "observer", 80, ""}};
    for (const Case& expected : cases)
    {
        const auto url = WebSocketUrl::parse(expected.text);
        ASSERT_TRUE(url) << expected.text;
        EXPECT_EQ(url->host, expected.host) << expected.text;
        EXPECT_EQ(url->port, expected.port) << expected.text;
        EXPECT_EQ(url->path, expected.path) << expected.text;
    }
}

TEST(WebSocketUrlTest, RefusesOtherSchemesAnEmptyHostAndPortsOutOfRange)
{
    for (const char* text :
         {"wss://localhost:1337", "WS://localhost", "http://localhost", "ws://", "ws://:1337",
          "ws://localhost:0", "ws://localhost:70000", "ws://localhost:99999999999999999999"})
        EXPECT_FALSE(WebSocketUrl::parse(text)) << text;

    std::vector<std::string> errorLines;
    EXPECT_EQ(connectCapturing("wss://localhost:1337", errorLines), nullptr);
    EXPECT_THAT(errorLines, ElementsAre("ERROR: Could not parse WebSocket url: wss://localhost:1337"));
}

TEST(HandshakeTest, ThePortGoesIntoTheHostLineUnlessItIs80)
{
    EXPECT_EQ(wsclient::Handshake::requestLines(*WebSocketUrl::parse("ws://observer:80/feed"), "")[1],
              "Host: observer\r\n");
    EXPECT_EQ(wsclient::Handshake::requestLines(*WebSocketUrl::parse("ws://observer"), "")[1],
              "Host: observer\r\n");
    EXPECT_EQ(wsclient::Handshake::requestLines(*WebSocketUrl::parse("ws://observer:1337"), "")[1],
              "Host: observer:1337\r\n");
}

TEST(HandshakeTest, TheRequestIsExactAndAnAcceptingServerOpensTheConnection)
{
    RawServer server;
    server.answerNextClient(RawServer::switchingProtocols);
    std::vector<std::string> errorLines;
    auto client = connectCapturing(server.url(), errorLines);

    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->getReadyState(), WebSocket::OPEN);
    const std::string port = std::to_string(server.port());
    EXPECT_EQ(server.request(), "GET / HTTP/1.1\r\n"
                                "Host: 127.0.0.1:" +
                                    port +
                                    "\r\n"
                                    "Upgrade: websocket\r\n"
                                    "Connection: Upgrade\r\n" +
                                    fixedRequestTail);
    EXPECT_THAT(errorLines, ElementsAre("wsclient: connecting: host=127.0.0.1 port=" + port + " path=/",
                                        "Connected to: " + server.url()));
}

TEST(HandshakeTest, AHostNameAPathOfSeveralSegmentsAndAnOriginGoIntoTheRequest)
{
    RawServer server;
    server.answerNextClient(RawServer::switchingProtocols);
    const std::string port = std::to_string(server.port());
    std::vector<std::string> errorLines;
    auto client =
        connectCapturing("ws://localhost:" + port + "/observer/match/1", errorLines, "http://localhost");

    ASSERT_NE(client, nullptr);
    EXPECT_EQ(server.request(), "GET /observer/match/1 HTTP/1.1\r\n"
                                "Host: localhost:" +
                                    port +
                                    "\r\n"
                                    "Upgrade: websocket\r\n"
                                    "Connection: Upgrade\r\n"
                                    "Origin: http://localhost\r\n" +
                                    fixedRequestTail);
}

TEST(HandshakeTest, BytesRightAfterTheAnswerAreLeftForTheFirstFrame)
{
    RawServer server;
    server.answerNextClient(RawServer::switchingProtocols + "\x81\x05hello");
    auto client = WebSocket::fromUrl(server.url());
    ASSERT_NE(client, nullptr);
    ClientDriver driver(*client);
    ASSERT_TRUE(driver.receive(1));
    EXPECT_THAT(driver.messages, ElementsAre("hello"));
}

TEST(HandshakeTest, AnyStatusButHttp11With101IsRefusedWithTheLineReceived)
{
    for (const std::string statusLine : {"HTTP/1.1 404 Not Found\r\n", "HTTP/1.0 101 Switching Protocols\r\n",
                                         "HTTP/1.1 1010 Switching\r\n", "SSH-2.0-OpenSSH_9.2\r\n"})
    {
        RawServer server;
        server.answerNextClient(statusLine + "\r\n");
        std::vector<std::string> errorLines;
        EXPECT_EQ(connectCapturing(server.url(), errorLines), nullptr);
        const std::string lineWithoutEnd = statusLine.substr(0, statusLine.size() - 1);
        EXPECT_THAT(errorLines,
                    Contains("ERROR: Got bad status connecting to " + server.url() + ": " + lineWithoutEnd));
    }
}

TEST(HandshakeTest, AStatusLineOf255BytesIsInvalidButOneOf254IsRead)
{
    const std::string statusStart = "HTTP/1.1 101 ";
    RawServer longLine;
    longLine.answerNextClient(statusStart + std::string(255 - statusStart.size(), 'x') + "\r\n\r\n");
    std::vector<std::string> errorLines;
    EXPECT_EQ(connectCapturing(longLine.url(), errorLines), nullptr);
    EXPECT_THAT(errorLines, Contains("ERROR: Got invalid status line connecting to: " + longLine.url()));

    RawServer longestLine;
    longestLine.answerNextClient(statusStart + std::string(252 - statusStart.size(), 'x') + "\r\n\r\n");
    EXPECT_NE(WebSocket::fromUrl(longestLine.url()), nullptr);
}

TEST(HandshakeTest, AServerThatNeverAnswersIsGivenUpAtTheTimeLimit)
{
    RawServer silent;  // the system accepts the connection; nobody reads the request
    std::vector<std::string> errorLines;
    EXPECT_EQ(connectCapturing(silent.url(), errorLines, "", 200), nullptr);
    EXPECT_THAT(errorLines,
                Contains("ERROR: Handshake timed out after 200 ms connecting to: " + silent.url()));
}

TEST(HandshakeTest, AConnectionThatIsNeverAcceptedIsGivenUpAtTheTimeLimit)
{
    RawServer full(0);
    const int filler = socket(AF_INET, SOCK_STREAM, 0);  // takes the one place in the queue
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(full.port()));
    ASSERT_EQ(connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    std::vector<std::string> errorLines;
    EXPECT_EQ(connectCapturing(full.url(), errorLines, "", 200), nullptr);
    EXPECT_THAT(errorLines, Contains("ERROR: Handshake timed out after 200 ms connecting to: " + full.url()));
    close(filler);
}

TEST(HandshakeTest, NobodyListeningAndAnUnknownHostGiveUnableToConnect)
{
    RefusingPort refusing;
    const std::string port = std::to_string(refusing.port());
    std::vector<std::string> errorLines;
    EXPECT_EQ(connectCapturing("ws://127.0.0.1:" + port, errorLines), nullptr);
    EXPECT_THAT(errorLines, ElementsAre("wsclient: connecting: host=127.0.0.1 port=" + port + " path=/",
                                        "Unable to connect to 127.0.0.1:" + port));

    EXPECT_EQ(connectCapturing("ws://no-such-host.invalid:1337", errorLines), nullptr);
    ASSERT_EQ(errorLines.size(), 3u);
    EXPECT_EQ(errorLines[1].rfind("getaddrinfo: ", 0), 0u) << errorLines[1];
    EXPECT_EQ(errorLines[2], "Unable to connect to no-such-host.invalid:1337");
}

TEST(HandshakeTest, AUrlOf128BytesOrAnOriginOf200AreRefusedBeforeConnecting)
{
    RefusingPort refusing;
    const std::string start = "ws://127.0.0.1:" + std::to_string(refusing.port()) + "/";
    const std::string longestUrl = start + std::string(127 - start.size(), 'p');
    std::vector<std::string> errorLines;
    EXPECT_EQ(connectCapturing(longestUrl, errorLines), nullptr);
    EXPECT_THAT(errorLines, Contains("Unable to connect to 127.0.0.1:" + std::to_string(refusing.port())));

    EXPECT_EQ(connectCapturing(longestUrl + "p", errorLines), nullptr);
    EXPECT_THAT(errorLines, ElementsAre("ERROR: url size limit exceeded: " + longestUrl + "p"));

    const std::string longOrigin(200, 'o');
    EXPECT_EQ(connectCapturing(start, errorLines, longOrigin), nullptr);
    EXPECT_THAT(errorLines, ElementsAre("ERROR: origin size limit exceeded: " + longOrigin));
}

TEST(HandshakeTest, HeadersThatNeverEndAreRefusedOnceTheyPassTheirLimit)
{
    std::vector<std::string> errorLines;
    std::string url;
    const bool gaveUp = clientGivesUpWhileHeadersFlow("X-Endless: " + std::string(100, 'y') + "\r\n", 0,
                                                      2 * ClientDriver::patienceMs, errorLines, url);
    EXPECT_TRUE(gaveUp) << "the client still read headers when the server stopped sending";
    EXPECT_THAT(errorLines, Contains("ERROR: Got more than 16384 bytes of headers connecting to: " + url));
}

TEST(HandshakeTest, AServerThatTricklesHeadersForEverIsGivenUpAtTheTimeLimit)
{
    std::vector<std::string> errorLines;
    std::string url;
    EXPECT_TRUE(clientGivesUpWhileHeadersFlow("X-Trickle: y\r\n", 5, 300, errorLines, url));
    EXPECT_THAT(errorLines, Contains("ERROR: Handshake timed out after 300 ms connecting to: " + url));
}

TEST(HandshakeTest, HeadersUpToTheirLimitAreReadAndOneByteMoreIsRefused)
{
    RawServer fitting;
    fitting.answerNextClient(statusLine + headersOf(Handshake::maximumHeaderBytes) + "\x81\x02ok");
    auto client = WebSocket::fromUrl(fitting.url());
    ASSERT_NE(client, nullptr);
    ClientDriver driver(*client);
    ASSERT_TRUE(driver.receive(1));
    EXPECT_THAT(driver.messages, ElementsAre("ok"));

    RawServer tooMany;
    tooMany.answerNextClient(statusLine + headersOf(Handshake::maximumHeaderBytes + 1));
    std::vector<std::string> errorLines;
    EXPECT_EQ(connectCapturing(tooMany.url(), errorLines), nullptr);
    EXPECT_THAT(errorLines,
                Contains("ERROR: Got more than 16384 bytes of headers connecting to: " + tooMany.url()));
}

TEST(HandshakeTest, AnAnswerStillUnreadWhenTheTimeLimitPassesIsATimeOut)
{
    SocketPair pair;
    send(pair.peer, RawServer::switchingProtocols.data(), RawServer::switchingProtocols.size(), 0);
    const std::string url = "ws://observer";
    const wsclient::Deadline passed(0);
    ConsoleCapture capture(ConsoleCapture::Stream::error);
    EXPECT_FALSE(Handshake(pair.client, url, passed, 0).perform(*WebSocketUrl::parse(url), ""));
    EXPECT_THAT(capture.lines(), ElementsAre("ERROR: Handshake timed out after 0 ms connecting to: " + url));
}

TEST(HandshakeTest, APeerThatAnswersWithoutReadingTheRequestIsGivenUpAtTheTimeLimit)
{
    SocketPair pair;
    pair.stopReading();
    send(pair.peer, RawServer::switchingProtocols.data(), RawServer::switchingProtocols.size(), 0);
    const std::string url = "ws://observer";
    ConsoleCapture capture(ConsoleCapture::Stream::error);
    auto handshake = std::async(
        std::launch::async,
        [&]
        {
            const wsclient::Deadline deadline(200);
            return Handshake(pair.client, url, deadline, 200).perform(*WebSocketUrl::parse(url), "");
        });
    const bool gaveUp =
        handshake.wait_for(std::chrono::milliseconds(ClientDriver::patienceMs)) == std::future_status::ready;
    // Reading lets a client that is still sending finish, so that the test ends either way.
    char chunk[65536];
    while (handshake.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        recv(pair.peer, chunk, sizeof chunk, MSG_DONTWAIT);
    EXPECT_TRUE(gaveUp) << "the client still tried to send when the test stopped waiting";
    EXPECT_FALSE(handshake.get());
    EXPECT_THAT(capture.lines(),
                ElementsAre("ERROR: Handshake timed out after 200 ms connecting to: " + url));
}
}  // namespace
