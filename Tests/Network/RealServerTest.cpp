#include "ClientDriver.h"
#include "PythonWebSocketServer.h"
#include "Support/ConsoleCapture.h"

#include "Network/WebSocket.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>

using testing::AnyOf;
using testing::ElementsAre;
using wsclient::WebSocket;

namespace
{
// A client connected to the echo server of Debian's websockets module.
class RealServerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(server.url().empty()) << "the echo server did not start";
        client = WebSocket::fromUrl(server.url());
        ASSERT_NE(client, nullptr);
        driver.emplace(*client);
    }

    PythonWebSocketServer server;
    std::unique_ptr<WebSocket> client;
    std::optional<ClientDriver> driver;
};

TEST_F(RealServerTest, TextMessagesOfEveryLengthClassArriveIntact)
{
    std::vector<std::string> sent;
    for (const std::size_t size : {0, 125, 126, 65535, 65536})
    {
        std::string message(size, ' ');
        for (std::size_t index = 0; index < size; ++index)
            message[index] = static_cast<char>(' ' + (index * 31 + size) % 95);
        client->send(message);
        sent.push_back(message);
    }
    ASSERT_TRUE(driver->receive(sent.size()));
    EXPECT_EQ(driver->messages, sent);
}

TEST_F(RealServerTest, APingWithPayloadIsAnsweredByAPongWithTheSamePayload)
{
    client->send("!ping:heartbeat 42");
    ASSERT_TRUE(driver->receive(1));
    EXPECT_THAT(driver->messages, ElementsAre("!pong:heartbeat 42"));
}

TEST_F(RealServerTest, TheServersCloseLeadsToClosedAndLaterSendsDropSilently)
{
    client->send("!close");
    ASSERT_TRUE(driver->reachClosed());

    ConsoleCapture capture(ConsoleCapture::Stream::error);
    client->send("anyone?");
    client->close();
    client->poll(0);
    EXPECT_EQ(client->getReadyState(), WebSocket::CLOSED);
    EXPECT_TRUE(capture.lines().empty());
}

TEST_F(RealServerTest, TheServerGoingAwayMidStreamGivesConnectionClosed)
{
    ConsoleCapture capture(ConsoleCapture::Stream::error);
    client->send("!vanish:50");
    ASSERT_TRUE(driver->reachClosed());
    EXPECT_THAT(capture.lines(), ElementsAre("Connection closed!"));
    ASSERT_EQ(driver->messages.size(), 50u);
    EXPECT_EQ(driver->messages.back(), "item 49");
}

TEST_F(RealServerTest, TheServerKilledWhileTheClientSendsEndsTheConnectionAndNotTheGame)
{
    ConsoleCapture capture(ConsoleCapture::Stream::error);
    const std::string message(4096, 'x');
    int sent = 0;
    ASSERT_TRUE(driver->runUntil(
        [&]
        {
            if (++sent == 20)
                server.kill();
            client->send(message);
            return client->getReadyState() == WebSocket::CLOSED;
        }));
    EXPECT_THAT(capture.lines(), ElementsAre(AnyOf("Connection closed!", "Connection error!")));
}
}  // namespace
