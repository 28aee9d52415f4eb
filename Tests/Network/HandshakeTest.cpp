#include "ClientDriver.h"
#include "RawServer.h"
#include "Support/ConsoleCapture.h"

#include "Network/Handshake.h"
#include "Network/WebSocket.h"
#include "Network/WebSocketUrl.h"

#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using testing::Contains;
using testing::ElementsAre;
using wsclient::WebSocket;
using wsclient::WebSocketUrl;

namespace
{
const std::string fixedRequestTail = "Sec-WebSocket-Key: kP7vRz2LqW9sN4dXc1YhAg==\r\n"
                                     "Sec-WebSocket-Version: 13\r\n"
                                     "\r\n";

// A loopback port that refuses connections: bound, so nobody else takes it, but not listening.
class RefusingPort
{
public:
    RefusingPort()
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(descriptor, reinterpret_cast<sockaddr*>(&address), size);
        getsockname(descriptor, reinterpret_cast<sockaddr*>(&address), &size);
        port = ntohs(address.sin_port);
    }
    ~RefusingPort() { close(descriptor); }

    int descriptor = socket(AF_INET, SOCK_STREAM, 0);
    int port = 0;
};

std::unique_ptr<WebSocket> connectCapturing(const std::string& url, std::vector<std::string>& errorLines,
                                            const std::string& origin = "", int timeoutMs = 2000)
{
    ConsoleCapture capture(ConsoleCapture::Stream::error);
    auto client = WebSocket::fromUrl(url, origin, timeoutMs);
    errorLines = capture.lines();
    return client;
}

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
    RefusingPort unused;  // any socket will do to fill the one place in the queue
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(full.port()));
    ASSERT_EQ(connect(unused.descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    std::vector<std::string> errorLines;
    EXPECT_EQ(connectCapturing(full.url(), errorLines, "", 200), nullptr);
    EXPECT_THAT(errorLines, Contains("ERROR: Handshake timed out after 200 ms connecting to: " + full.url()));
}

TEST(HandshakeTest, NobodyListeningAndAnUnknownHostGiveUnableToConnect)
{
    RefusingPort refusing;
    const std::string port = std::to_string(refusing.port);
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
    const std::string start = "ws://127.0.0.1:" + std::to_string(refusing.port) + "/";
    const std::string longestUrl = start + std::string(127 - start.size(), 'p');
    std::vector<std::string> errorLines;
    EXPECT_EQ(connectCapturing(longestUrl, errorLines), nullptr);
    EXPECT_THAT(errorLines, Contains("Unable to connect to 127.0.0.1:" + std::to_string(refusing.port)));

    EXPECT_EQ(connectCapturing(longestUrl + "p", errorLines), nullptr);
    EXPECT_THAT(errorLines, ElementsAre("ERROR: url size limit exceeded: " + longestUrl + "p"));

    const std::string longOrigin(200, 'o');
    EXPECT_EQ(connectCapturing(start, errorLines, longOrigin), nullptr);
    EXPECT_THAT(errorLines, ElementsAre("ERROR: origin size limit exceeded: " + longOrigin));
}
}  // namespace
