#include "Network/FrameParser.h"
#include "Scenes/StartScene.h"
#include "Support/ConsoleCapture.h"
#include "Support/HeadlessGame.h"
#include "Support/RawServer.h"
#include "Support/RecordingScene.h"
#include "Support/RecordingWebSocket.h"
#include "Support/RefusingPort.h"
#include "Support/TestMatch.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <sstream>

namespace
{
const std::string influenceHead =
    R"({ "type": "influence", "widthInTiles" : "21", "heightInTiles" : "21"  , "influence": [)";

GameEngine::Settings settingsFor(const std::string& endpoint)
{
    GameEngine::Settings settings;
    settings.driverType = irr::video::EDT_NULL;
    settings.telemetryEndpoint = endpoint;
    return settings;
}

GameEngine::Settings recordingSettings(const std::shared_ptr<RecordingWebSocket::Journal>& journal)
{
    GameEngine::Settings settings = settingsFor("ws://localhost:1");
    settings.connectTelemetry = [journal](const std::string&)
    { return std::make_unique<RecordingWebSocket>(journal); };
    return settings;
}

// Reads one whole frame the game wrote, through the client's own frame parser (which unmasks).
wsclient::Frame readFrame(const RawServer& server)
{
    wsclient::FrameParser parser;
    wsclient::Frame frame;
    std::string head = server.read(2);
    parser.append(head.data(), head.size());
    while (parser.next(frame) == wsclient::FrameParser::Result::incomplete)
    {
        const std::string more = server.read(1);
        if (more.empty())
            return {};
        parser.append(more.data(), more.size());
    }
    return frame;
}

// The tile values of an "influence" message, as numbers.
std::vector<float> tilesOf(const std::string& message)
{
    std::vector<float> tiles;
    std::istringstream list(message.substr(message.find('[') + 1));
    for (std::string tile; std::getline(list, tile, ',');)
        tiles.push_back(std::stof(tile));
    return tiles;
}

class TelemetryLinkTest : public ::testing::Test
{
protected:
    void TearDown() override { sound->drop(); }

    RecordingSoundEngine* sound = new RecordingSoundEngine();
};

TEST_F(TelemetryLinkTest, AMatchSendsItsDistanceMapFirstToARealPeerAndTheGameLeavesWithoutACloseFrame)
{
    RawServer server;
    server.answerNextClient(RawServer::switchingProtocols);
    HeadlessGame game(settingsFor(server.url()));
    ASSERT_TRUE(game.start(std::make_unique<StartScene>(), true));
    EXPECT_EQ(server.request().rfind("GET / HTTP/1.1\r\n", 0), 0u);

    ASSERT_TRUE(game.engine().changeScene(std::make_unique<TestMatch>(sound)));
    game.runFrames(3, 16);
    const wsclient::Frame frame = readFrame(server);
    EXPECT_EQ(frame.opcode, wsclient::Opcode::text);
    EXPECT_EQ(frame.payload.rfind(influenceHead, 0), 0u) << frame.payload.substr(0, 120);
    EXPECT_EQ(frame.payload.substr(frame.payload.size() - 2), "]}");
    const std::vector<float> tiles = tilesOf(frame.payload);
    EXPECT_EQ(tiles.size(), 21u * 21u);
    EXPECT_GT(*std::max_element(tiles.begin(), tiles.end()), 0.0f);

    // The game closes its socket without a closing handshake.
    game.closeWindow();
    const std::string rest = server.read(wsclient::FrameParser::defaultCapacity);
    wsclient::FrameParser parser;
    parser.append(rest.data(), rest.size());
    for (wsclient::Frame next; parser.next(next) == wsclient::FrameParser::Result::frame;)
        EXPECT_NE(next.opcode, wsclient::Opcode::close);
    EXPECT_TRUE(server.clientClosed());
}

TEST_F(TelemetryLinkTest, EveryFramePollsTheLinkSoAPingIsAnswered)
{
    RawServer server;
    server.answerNextClient(RawServer::switchingProtocols);
    HeadlessGame game(settingsFor(server.url()));
    ASSERT_TRUE(game.start(std::make_unique<StartScene>(), true));
    server.request();

    server.write(std::string("\x89\x02hi", 4));
    // The ping is read by one frame's poll and answered by the poll of a later one; the server reads
    // with a time limit while the game runs its frames.
    std::future<wsclient::Frame> answer =
        std::async(std::launch::async, [&server] { return readFrame(server); });
    while (answer.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        game.runFrame(16);
    const wsclient::Frame pong = answer.get();
    EXPECT_EQ(pong.opcode, wsclient::Opcode::pong);
    EXPECT_EQ(pong.payload, "hi");
}

TEST_F(TelemetryLinkTest, TheSetupMessageFallsBetweenFinishedAndTheGameSceneLine)
{
    auto journal = std::make_shared<RecordingWebSocket::Journal>();
    HeadlessGame game(recordingSettings(journal));
    ASSERT_TRUE(game.start(std::make_unique<StartScene>(), true));
    ConsoleCapture console;
    ASSERT_TRUE(game.engine().changeScene(std::make_unique<TestMatch>(sound)));

    std::vector<std::string> order;
    for (const std::string& line : console.lines())
        if (line == "Finished" || line.rfind("SENT: ", 0) == 0 || line.rfind("MESSAGE: ", 0) == 0)
            order.push_back(line);
    order.resize(3);
    EXPECT_EQ(order, (std::vector<std::string>{"Finished", "SENT: influence",
                                               "MESSAGE: Initialize the game scene"}));
    ASSERT_FALSE(journal->sent.empty());
    EXPECT_EQ(journal->sent[0].rfind(influenceHead, 0), 0u);
}

TEST_F(TelemetryLinkTest, WithoutTelemetryNothingIsOpenedOrSent)
{
    auto journal = std::make_shared<RecordingWebSocket::Journal>();
    HeadlessGame game(recordingSettings(journal));
    ASSERT_TRUE(game.start(std::make_unique<StartScene>(), false));
    ASSERT_TRUE(game.engine().changeScene(std::make_unique<TestMatch>(sound)));
    game.runFrames(5, 16);
    EXPECT_EQ(game.engine().getTelemetryConnection(), nullptr);
    EXPECT_TRUE(journal->sent.empty());
    EXPECT_EQ(journal->polls, 0);
}

TEST_F(TelemetryLinkTest, TheLoopPollsAndDispatchesUntilTheLinkIsClosed)
{
    auto journal = std::make_shared<RecordingWebSocket::Journal>();
    HeadlessGame game(recordingSettings(journal));
    ASSERT_TRUE(game.start(std::make_unique<StartScene>(), true));
    game.runFrames(4, 16);
    EXPECT_EQ(journal->polls, 4);
    EXPECT_EQ(journal->dispatches, 4);

    static_cast<RecordingWebSocket*>(game.engine().getTelemetryConnection())->state =
        wsclient::WebSocket::CLOSED;
    game.runFrames(4, 16);
    EXPECT_EQ(journal->polls, 4);
}

TEST_F(TelemetryLinkTest, ShutdownClosesTheLinkAfterTheScenesExit)
{
    auto journal = std::make_shared<RecordingWebSocket::Journal>();
    HeadlessGame game(recordingSettings(journal));
    auto sceneJournal = std::make_shared<RecordingScene::Journal>();
    auto scene = std::make_unique<RecordingScene>(sceneJournal);
    bool linkOpenAtExit = false;
    scene->onExit = [&] { linkOpenAtExit = !journal->destroyed && game.engine().getTelemetryConnection(); };
    ASSERT_TRUE(game.start(std::move(scene), true));
    game.runFrames(2, 16);
    game.closeWindow();
    EXPECT_EQ(sceneJournal->exitCalls, 1);
    EXPECT_TRUE(linkOpenAtExit);
    EXPECT_TRUE(journal->destroyed);
}

TEST(TelemetryStartTest, WithoutAnObserverTheGameDoesNotStartAndSaysWhy)
{
    const RefusingPort refusing;
    const std::string endpoint = "ws://localhost:" + std::to_string(refusing.port());
    HeadlessGame game(settingsFor(endpoint));
    ConsoleCapture errors(ConsoleCapture::Stream::error);
    EXPECT_FALSE(game.start(std::make_unique<StartScene>(), true));
    const std::vector<std::string> lines = errors.lines();
    EXPECT_EQ(game.engine().device, nullptr);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(),
              "ERROR: wsc is null in Source/GameEngine/GameEngine: no telemetry connection to " + endpoint +
                  ", so the game does not start");
}
}  // namespace
