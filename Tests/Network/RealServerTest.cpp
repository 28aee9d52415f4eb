#include "ClientDriver.h"
#include "PythonWebSocketServer.h"
#include "Support/ConsoleCapture.h"

#include "Network/WebSocket.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>

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

TEST_F(RealServerTest, TheServerGoingAwayMidStreamGivesConnectionClosed)
{
    ConsoleCapture capture(ConsoleCapture::Stream::error);
    client->send("!vanish:50");
    ASSERT_TRUE(driver->runUntil([this] { return client->getReadyState() == WebSocket::CLOSED; }));
    EXPECT_THAT(capture.lines(), ElementsAre("Connection closed!"));
    ASSERT_EQ(driver->messages.size(), 50u);
    EXPECT_EQ(driver->messages.back(), "item 49");
}
}  // namespace
