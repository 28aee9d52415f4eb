#include "Network/FrameParser.h"
#include "Scenes/StartScene.h"
#include "Support/HeadlessGame.h"
#include "Support/RawServer.h"

#include <future>
#include <gtest/gtest.h>

namespace
{
TEST(TelemetryLinkTest, EveryFramePollsTheLinkSoARealPeersPingIsAnswered)
{
    RawServer server;
    server.answerNextClient(RawServer::switchingProtocols);
    GameEngine::Settings settings;
    settings.driverType = irr::video::EDT_NULL;
    settings.telemetryEndpoint = server.url();
    HeadlessGame game(settings);
    ASSERT_TRUE(game.start(std::make_unique<StartScene>(), true));
    EXPECT_EQ(server.request().rfind("GET / HTTP/1.1\r\n", 0), 0u);

    server.write(std::string("\x89\x02hi", 4));
    // The ping is read by one frame's poll and answered by the poll of a later one; the server reads with a
    // time limit while the game runs its frames.
    auto answer = std::async(std::launch::async, [&server] { return server.read(8); });
    while (answer.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        game.runFrame(16);
    const std::string pong = answer.get();
    EXPECT_EQ(pong.size() > 1 ? pong[1] & 0x80 : 0, 0x80) << "a client's frames are masked";
    wsclient::FrameParser parser;
    parser.append(pong.data(), pong.size());
    wsclient::Frame frame;
    ASSERT_EQ(parser.next(frame), wsclient::FrameParser::Result::frame);
    EXPECT_EQ(frame.opcode, wsclient::Opcode::pong);
    EXPECT_EQ(frame.payload, "hi");
}
}  // namespace
