#include "Entities/HumanPlayer.h"
#include "External/AIInfluenceMap.h"
#include "Scenes/MatchMenu.h"
#include "Scenes/StartScene.h"
#include "Support/MatchFixture.h"
#include "Support/RecordingWebSocket.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <malloc.h>
#include <regex>
#include <sstream>

namespace
{
constexpr int players = 5;
// A number as the game writes it: like %g with six digits, no trailing zeros, a three-digit exponent.
const std::string number = R"(-?(\d+(\.\d*[1-9])?|\d(\.\d*[1-9])?e[+-]\d{3}))";
const std::regex influence(R"(\{ "type": "influence", "widthInTiles" : "21", "heightInTiles" : "21"  , )"
                           R"("influence": \[(.*)\]\})");
const std::regex stats(R"x(\{ "type": "stats", "fps": "-?\d+", "gametime": "()x" + number +
                       R"x()", "amountOfCamps": "\d+", "freeUnits": "\d+" \} )x");

// The "player" message of player `id`, its score table listing every player.
std::regex playerLayout(int id)
{
    std::string scores;
    for (int entry = 0; entry < players; ++entry)
        scores +=
            (entry ? "," : "") + (R"(\{ "name": ")" + std::to_string(entry) + R"(", "score": "\d+"\} )");
    return std::regex(R"(\{ "type": "player", "id": ")" + std::to_string(id) + R"(", "xpos": ")" + number +
                      R"(", "ypos": ")" + number + R"(", "zpos": ")" + number + R"(", "score":\[)" + scores +
                      R"(\]\})");
}

// The tiles of an "influence" message, each checked against the number layout; none if it is no such message.
std::vector<float> tilesOf(const std::string& message)
{
    static const std::regex tileNumber(number);
    std::smatch list;
    std::vector<float> tiles;
    if (!std::regex_match(message, list, influence))
        return tiles;
    std::istringstream text(list[1].str() + ", ");
    for (std::string tile; std::getline(text, tile, ',') && text.get() == ' ';)
    {
        EXPECT_TRUE(std::regex_match(tile, tileNumber)) << tile;
        tiles.push_back(std::stof(tile));
    }
    return tiles;
}

// What the observer must see of one match: the distance map first, then on every frame due a "player"
// message from each player in order and one "stats" with that frame's time, and influence maps between.
// Returns the messages that must repeat in a replay: all but the "stats" with their frame rate and clock.
std::vector<std::string> checkMatch(const std::vector<std::string>& received,
                                    const std::vector<int>& dueTimes, const std::vector<float>& distances)
{
    static const std::vector<std::regex> layouts = {playerLayout(0), playerLayout(1), playerLayout(2),
                                                    playerLayout(3), playerLayout(4)};
    const std::vector<float> first = tilesOf(received.front());
    EXPECT_TRUE(std::equal(first.begin(), first.end(), distances.begin(), distances.end(),
                           [](float sent, float held) { return std::abs(sent - held) < 1e-5f; }));
    std::vector<std::string> repeated;
    std::vector<int> statsTimes;
    int maps = 0, playersInARow = 0;
    for (std::size_t index = 1; index < received.size(); ++index)
    {
        std::smatch time;
        if (std::regex_match(received[index], time, stats))
        {
            EXPECT_EQ(playersInARow, players) << "before the stats at " << index;
            playersInARow = 0;
            statsTimes.push_back(std::stoi(time[1].str()));
            continue;
        }
        if (received[index].rfind(R"({ "type": "player")", 0) == 0)
            EXPECT_TRUE(std::regex_match(received[index], layouts.at(playersInARow++))) << received[index];
        else if (tilesOf(received[index]).size() == distances.size() && received[index] != received.front())
            ++maps;
        else
            ADD_FAILURE() << "not an influence map: " << received[index].substr(0, 200);
        repeated.push_back(received[index]);
    }
    EXPECT_EQ(statsTimes, dueTimes);
    // With 16 ms frames the respawn timer lands on a multiple of 100 ms twice a second.
    EXPECT_GE(maps, 2 * 90);
    return repeated;
}

// Scene nodes, GUI elements (the game adds its own at the top), textures and cached meshes.
std::vector<std::size_t> holdingsOf(irr::IrrlichtDevice* device)
{
    irr::core::array<irr::scene::ISceneNode*> nodes;
    device->getSceneManager()->getSceneNodesFromType(irr::scene::ESNT_ANY, nodes);
    return {nodes.size(), device->getGUIEnvironment()->getRootGUIElement()->getChildren().size(),
            device->getVideoDriver()->getTextureCount(),
            device->getSceneManager()->getMeshCache()->getMeshCount()};
}

TEST(WholeMatchTest, ThreeMatchesFromTheMenuReachARealObserverAliveAndLeaveNothingBehind)
{
    // Debian's python3-websockets as the observer: it tells its port, and all it received once the game left.
    std::FILE* peer = popen(QUILLMARCH_PYTHON " " QUILLMARCH_TELEMETRY_PEER, "r");
    int port = 0;
    ASSERT_TRUE(peer && std::fscanf(peer, "%d%*c", &port) == 1) << "the observer did not start";
    GameEngine::Settings settings = MatchFixture::headless();
    settings.sound = false;
    settings.telemetryEndpoint = "ws://127.0.0.1:" + std::to_string(port);
    std::vector<std::vector<int>> dueTimes(3);
    std::vector<std::vector<std::size_t>> atStart, atMenu;
    std::vector<long> heap;
    std::vector<float> distances;
    // The dragon walks, founds a camp and dashes, and leaves the match with W and F held down.
    const std::pair<int, std::pair<irr::EKEY_CODE, bool>> keys[] = {
        {30, {irr::KEY_KEY_W, true}},   {400, {irr::KEY_KEY_W, false}}, {410, {irr::KEY_SPACE, true}},
        {420, {irr::KEY_SPACE, false}}, {500, {irr::KEY_KEY_F, true}},  {510, {irr::KEY_KEY_F, false}},
        {5600, {irr::KEY_KEY_W, true}}, {5600, {irr::KEY_KEY_F, true}}};
    {
        HeadlessGame game(settings);
        ASSERT_TRUE(game.start(std::make_unique<StartScene>(), true));
        for (const std::string clicks : {"-+++", "++++", "+++"})
        {
            // Each match starts on the same beat of 16 and 50 ms frames, so the same frames report.
            while (game.now() % 400 != 0 || game.now() == 0)
                game.runFrame(16);
            auto* menu = game.currentSceneAs<StartScene>();
            ASSERT_NE(menu, nullptr);
            // Four opponents by mouse: "Remove Player" at one and "Add Player" at four change nothing.
            for (const char click : clicks)
                game.clickAt((click == '+' ? menu->addPlayerButton : menu->removePlayerButton)
                                 ->getAbsolutePosition()
                                 .getCenter());
            // The camera turns by the cursor's distance from the middle: each match starts with it there.
            game.device()->getCursorControl()->setPosition(0.5f, 0.5f);
            game.clickAt(menu->startButton->getAbsolutePosition().getCenter());
            auto* match = game.currentSceneAs<GameScene>();
            ASSERT_TRUE(match && match->players.size() == players);
            // No button of the menu is left to take the keys.
            EXPECT_EQ(game.device()->getGUIEnvironment()->getFocus(), nullptr);
            atStart.push_back(holdingsOf(game.device()));
            // The match menu takes the input first and hands the keys on.
            EXPECT_EQ(game.device()->getEventReceiver(), match->matchMenu.get());
            EXPECT_FALSE(match->eventReceiver->isKeyDown(irr::KEY_KEY_W) ||
                         match->eventReceiver->isKeyDown(irr::KEY_KEY_F));
            for (int i = static_cast<int>(distances.size()); i < match->distanceMap->getDataSize(); ++i)
                distances.push_back(match->distanceMap->getInfluenceAtIndex(i));
            for (int frame = 0; game.engine().getCurrentScene() == match && frame < 7000; ++frame)
            {
                for (const auto& [when, key] : keys)
                    if (when == frame)
                        game.postKey(key.first, key.second);
                game.runFrame(16);
                if (game.now() % 50 == 0)
                    dueTimes[atStart.size() - 1].push_back(static_cast<int>(game.now()));
            }
            ASSERT_NE(game.currentSceneAs<StartScene>(), nullptr);
            game.runFrames(5, 16);
            atMenu.push_back(holdingsOf(game.device()));
            heap.push_back(static_cast<long>(mallinfo2().uordblks));
        }
    }
    std::string received;
    for (char chunk[16384]; const std::size_t got = std::fread(chunk, 1, sizeof chunk, peer);)
        received.append(chunk, got);
    pclose(peer);
    std::vector<std::vector<std::string>> matches;
    std::istringstream lines(received);
    for (std::string line; std::getline(lines, line);)
    {
        // Each match begins with the distance map, the same every time.
        if (matches.empty() || line == matches[0][0])
            matches.emplace_back();
        matches.back().push_back(line);
    }
    ASSERT_EQ(matches.size(), 3u);
    std::vector<std::string> first = checkMatch(matches[0], dueTimes[0], distances);
    for (int played = 1; played < 3; ++played)
    {
        EXPECT_TRUE(checkMatch(matches[played], dueTimes[played], distances) == first)
            << "match " << played + 1;
        EXPECT_EQ(atStart[played], atStart[0]) << "match " << played + 1;
        EXPECT_EQ(atMenu[played], atMenu[0]) << "match " << played + 1;
    }
    // The first match fills the engine's caches; a later one leaves no more on the heap than the
    // allocator's own caches hold.
    EXPECT_LT(heap[2] - heap[1], 16384) << heap[1] << " bytes, then " << heap[2];
}

// Each update fades the map, then stamps every player's tile to a whole 1, then sends it.
TEST(InfluenceUpkeepTest, TwoUpdatesInARowEachFadeThenStampEveryPlayerAndSend)
{
    auto journal = std::make_shared<RecordingWebSocket::Journal>();
    GameEngine::Settings settings = MatchFixture::headless();
    settings.connectTelemetry = [journal](const std::string&)
    { return std::make_unique<RecordingWebSocket>(journal); };
    MatchFixture fixture(1, true, settings);
    ASSERT_TRUE(fixture.quiet());
    irr::AI::AIInfluenceMap& map = *fixture.match->influenceMap;
    const std::size_t before = journal->sent.size();
    std::vector<int> lit;
    for (std::size_t update = 1; update <= 2; ++update)
    {
        fixture.frames(1, 100);
        EXPECT_EQ(journal->sent.size(), before + update);
        for (const auto& player : fixture.match->players)
            EXPECT_EQ(map.getInfluenceAtIndex(map.getTileIndexAt(player->node->getPosition())), 1.0f);
        lit.push_back(0);
        for (int tile = 0; tile < map.getDataSize(); ++tile)
            lit.back() += map.getInfluenceAtIndex(tile) > 0 ? 1 : 0;
    }
    EXPECT_GT(lit[1], lit[0]);
}
}  // namespace
