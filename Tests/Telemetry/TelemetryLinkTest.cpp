#include "Network/FrameParser.h"
#include "Scenes/StartScene.h"
#include "Support/HeadlessGame.h"
#include "Support/RawServer.h"
#include "Support/RecordingScene.h"
#include "Support/RecordingWebSocket.h"

#include <algorithm>
#include <future>
#include <gtest/gtest.h>

namespace
{
// A game on the null driver whose telemetry goes to `endpoint`, or to a recording socket if given a journal.
GameEngine::Settings settingsFor(const std::string& endpoint,
                                 const std::shared_ptr<RecordingWebSocket::Journal>& journal = nullptr)
{
    GameEngine::Settings settings;
    settings.driverType = irr::video::EDT_NULL;
    settings.telemetryEndpoint = endpoint;
    if (journal)
        settings.connectTelemetry = [journal](const std::string&)
        { return std::make_unique<RecordingWebSocket>(journal); };
    return settings;
}

TEST(TelemetryLinkTest, EveryFramePollsTheLinkSoARealPeersPingIsAnswered)
{
    RawServer server;
    server.answerNextClient(RawServer::switchingProtocols);
    HeadlessGame game(settingsFor(server.url()));
    ASSERT_TRUE(game.start(std::make_unique<StartScene>(), true));
    EXPECT_EQ(server.request().rfind("GET / HTTP/1.1\r\n", 0), 0u);

    server.write(std::string("\x89\x02hi", 4));
    // The ping is read by one frame's poll and answered by the poll of a later one; the server reads with a
    // time limit while the game runs its frames.
    auto answer = std::async(std::launch::async, [&server] { return server.read(8); });
    while (answer.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        game.runFrame(16);
    const std::string pong = answer.get();
    wsclient::FrameParser parser;
    parser.append(pong.data(), pong.size());
    wsclient::Frame frame;
    ASSERT_EQ(parser.next(frame), wsclient::FrameParser::Result::frame);
    EXPECT_EQ(frame.opcode, wsclient::Opcode::pong);
    EXPECT_EQ(frame.payload, "hi");
}

TEST(TelemetryLinkTest, TheLoopPollsAndDispatchesOnlyWhileALinkIsOpen)
{
    for (const bool telemetry : {false, true})
    {
        auto journal = std::make_shared<RecordingWebSocket::Journal>();
        HeadlessGame game(settingsFor("ws://localhost:1", journal));
        ASSERT_TRUE(game.start(std::make_unique<StartScene>(), telemetry));
        game.runFrames(4, 16);
        EXPECT_EQ(journal->polls, telemetry ? 4 : 0);
        EXPECT_EQ(journal->dispatches, telemetry ? 4 : 0);
        if (!telemetry)
        {
            EXPECT_EQ(game.engine().getTelemetryConnection(), nullptr);
            continue;
        }
        static_cast<RecordingWebSocket*>(game.engine().getTelemetryConnection())->state =
            wsclient::WebSocket::CLOSED;
        game.runFrames(4, 16);
        EXPECT_EQ(journal->polls, 4);
    }
}

TEST(TelemetryLinkTest, ShutdownClosesTheLinkAfterTheScenesExit)
{
    auto journal = std::make_shared<RecordingWebSocket::Journal>();
    HeadlessGame game(settingsFor("ws://localhost:1", journal));
    auto sceneJournal = std::make_shared<RecordingScene::Journal>();
    auto scene = std::make_unique<RecordingScene>(sceneJournal);
    bool linkOpenAtExit = false;
    scene->onExit = [&] { linkOpenAtExit = !journal->destroyed && game.engine().getTelemetryConnection(); };
    ASSERT_TRUE(game.start(std::move(scene), true));
    game.runFrames(2, 16);
    game.closeWindow();
    EXPECT_EQ(std::count(sceneJournal->begin(), sceneJournal->end(), "exit"), 1);
    EXPECT_TRUE(linkOpenAtExit);
    EXPECT_TRUE(journal->destroyed);
}
}  // namespace
