#include "AI/AIPlayer.h"
#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "GameEngine/TextAnnouncer.h"
#include "Scenes/StartScene.h"
#include "Support/MatchFixture.h"
#include "Support/RecordingFont.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace
{
// A scene time to run to, how many messages the announcer holds by then, and the clock shown (if checked).
using Step = std::tuple<irr::u32, std::size_t, const wchar_t*>;

struct EndCase
{
    const char* name;
    std::vector<Step> steps;
    std::vector<std::wstring> said;
    irr::video::SColor winnerColor{};
    float orcCamp = 0.0f;  // the outer radius of the orc's camp, if it has one
    bool withoutPlayers = false;
};

class MatchEndTest : public ::testing::TestWithParam<EndCase>
{
};

TEST_P(MatchEndTest, TheClockWarnsAfterEightySecondsNamesTheLeaderAfterNinetyAndLeavesAfterNinetyThree)
{
    const EndCase& end = GetParam();
    RecordingFont clock;
    MatchFixture fixture(1);
    fixture.match->font = &clock;
    if (end.orcCamp > 0)
    {
        // Founded for the orc quietly: an orc's own founding would be announced.
        fixture.match->createCamp({-30, 1, -30}, {0, 0, 0}, {0.1f, 0.1f, 0.1f}, &fixture.human());
        fixture.match->camps.back()->ownerId = fixture.orc(0).id;
        fixture.match->camps.back()->ring->radius = end.orcCamp;
    }
    if (end.withoutPlayers)
        fixture.match->players.clear();
    const std::shared_ptr<TextAnnouncer> announcer = fixture.match->announcer;
    for (const auto& [sceneTime, saidByThen, shown] : end.steps)
    {
        ASSERT_EQ(fixture.game.engine().getCurrentScene(), fixture.match) << "over before " << sceneTime;
        fixture.game.runFrame(sceneTime - fixture.game.now());
        EXPECT_EQ(announcer->getMessages().size(), saidByThen) << sceneTime;
        const irr::core::stringw clockText = irr::core::stringw(L"Time left: ") + (shown ? shown : L"");
        EXPECT_TRUE(!shown || clock.calls.back().text == clockText) << sceneTime;
    }
    EXPECT_NE(fixture.game.currentSceneAs<StartScene>(), nullptr);
    EXPECT_EQ(clock.calls.back().position.UpperLeftCorner, irr::core::position2di(0, 2));
    EXPECT_TRUE(clock.calls.back().horizontallyCentred);
    std::vector<std::wstring> said;
    for (const Announcement& message : announcer->getMessages())
        said.emplace_back(message.text.c_str());
    EXPECT_EQ(said, end.said);
    EXPECT_EQ(announcer->getMessages().front().color, irr::video::SColor(0xFFFFFFFF));
    EXPECT_EQ(announcer->getMessages().back().color, said.size() > 1 ? end.winnerColor : 0xFFFFFFFF);
}

const std::vector<Step> onTime = {{0, 0, L"90"},     {999, 0, L"89"},   {1000, 0, L"89"},
                                  {80000, 0, L"10"}, {80001, 1, L"9"},  {90000, 1, L"0"},
                                  {90001, 2, L"0"},  {93000, 2, L"-3"}, {93001, 2, L"-3"}};
const std::wstring warning = L"Only 10 seconds left!";
INSTANTIATE_TEST_SUITE_P(
    Endings, MatchEndTest,
    ::testing::Values(
        EndCase{"BelowTheFloorTheDragonWins", onTime, {warning, L"Player: 0 won!"}, {128, 255, 255, 255}, 5},
        EndCase{"OrcLeads", onTime, {warning, L"Player: 1 won!"}, {255, 125, 209, 26}, 10},
        EndCase{"OneLongFrameSkipsTheWinner", {{80000, 0, nullptr}, {93001, 1, nullptr}}, {warning}},
        EndCase{"NobodyToName", {{80001, 1, nullptr}, {93001, 1, nullptr}}, {warning}, {}, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RespawnTest, EachSecondBringsBackTheFirstAbsorbedUnitOntoASpotOfTheSetupOrWaitsForOne)
{
    std::int64_t calendar = MatchFixture::calendarSeconds;
    GameEngine::Settings settings;
    settings.calendarClock = [&calendar] { return calendar; };
    MatchFixture fixture(0, false, settings);
    const auto& units = fixture.match->units;
    const auto absorbedFrom = [&](std::size_t first)
    { return std::all_of(units.begin() + first, units.end(), [](auto& unit) { return unit->absorbed; }); };
    // The index of the spot vertex a unit stands on exactly; -1 if none.
    const auto spotOf = [spots = fixture.match->unitSpotNode->getMesh()->getMeshBuffer(0)](const Unit& unit)
    {
        for (irr::u32 vertex = 0; vertex < spots->getVertexCount(); ++vertex)
            if (spots->getPosition(vertex) == unit.getPosition())
                return static_cast<int>(vertex);
        return -1;
    };
    fixture.parkAllUnits();  // below their spots, which stay taken
    // The first frame has no length; then every 63 frames of 16 ms make 1008 ms, one pass each.
    fixture.frames(1 + 3 * 63);
    EXPECT_TRUE(absorbedFrom(0));
    for (const std::shared_ptr<Unit>& unit : units)  // off their spots: every spot is free
        unit->node->setPosition(unit->getPosition() + irr::core::vector3df(1000, 0, 0));
    for (std::size_t returned = 0; returned < 2; ++returned)
    {
        fixture.frames(62);
        EXPECT_TRUE(absorbedFrom(returned));
        fixture.frames(1);
        EXPECT_TRUE(absorbedFrom(returned + 1));
        const Unit& unit = *units[returned];
        EXPECT_FALSE(unit.absorbed || unit.following);
        EXPECT_EQ(unit.target, nullptr);
        EXPECT_EQ(unit.node->getMaterial(0).EmissiveColor, irr::video::SColor(Unit::unownedGlow));
        EXPECT_GE(spotOf(unit), 2);
    }
    EXPECT_NE(spotOf(*units[0]), spotOf(*units[1]));
    // Over many calendar seconds the draws reach every spot the setup uses, and no other vertex.
    units[1]->node->setPosition({2000, -1000, 2000});
    std::set<int> drawn;
    for (calendar = 0; calendar < 1000; ++calendar)
    {
        units[0]->absorbInto(nullptr);
        units[0]->node->setPosition({1000, -1000, 1000});
        fixture.match->respawnUnit();
        drawn.insert(spotOf(*units[0]));
    }
    EXPECT_EQ(*drawn.begin(), 2);
    EXPECT_EQ(drawn.size(), units.size());
}
}  // namespace
