#include "AI/AIPlayer.h"
#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "Scenes/StartScene.h"
#include "Support/MatchFixture.h"
#include "Support/RecordingFont.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace
{
constexpr float full = -1.0f;  // expected target: the camp's full radius

// A match with one orc and no frame run: each case lays out camps and players and calls one rule.
class MatchRulesTest : public ::testing::Test
{
protected:
    // A camp at (x, 1, 0) of player `owner` with `units`, its rings at the given radii and its target at 1.
    Camp& campAt(float x, irr::s32 owner, irr::u16 units, float ring, float core = 1.0f)
    {
        Camp& camp = fixture.campAt({x, 1, 0}, fixture.human(), units);
        camp.ownerId = owner;
        camp.ring->radius = ring;
        camp.coreRing->radius = core;
        camp.targetRadius = 1.0f;
        return camp;
    }

    MatchFixture fixture{1};
};

TEST_F(MatchRulesTest, TouchingCampsShareTheDistanceByUnitsAndKeepTheSmallerShare)
{
    // Camps (x, units) with rings of 5, and the targets they get.
    const std::vector<std::pair<std::vector<std::pair<float, irr::u16>>, std::vector<float>>> layouts = {
        {{{0, 3}, {8, 1}}, {6, 2}},
        {{{0, 1}, {8, 1}, {16, 3}}, {4, 2, 6}},
        {{{0, 0}, {8, 0}}, {4, 4}},
        {{{0, 3}, {20, 1}}, {full, full}},
        {{{0, 3}}, {1}}};
    for (const auto& [layout, targets] : layouts)
    {
        fixture.match->camps.clear();
        for (const auto& [x, units] : layout)
            campAt(x, 0, units, 5.0f);
        fixture.match->resolveCampBorders();
        for (std::size_t i = 0; i < targets.size(); ++i)
        {
            const Camp& camp = *fixture.match->camps[i];
            EXPECT_FLOAT_EQ(camp.targetRadius, targets[i] == full ? camp.fullRadius : targets[i])
                << "camp " << i << " of " << layout.size();
        }
    }
}

TEST_F(MatchRulesTest, APlayerTakesTheZoneOfTheLastRingItStandsInAndScoresItsOwnRingsAreas)
{
    // The orc's camp, and the dragon's overlapping it on the right.
    Camp* camps[] = {&campAt(0, 1, 1, 10, 4), &campAt(12, 0, 1, 10, 4), nullptr};
    // Where the dragon stands, its zone and the index of its camp.
    const std::tuple<float, irr::s32, int> places[] = {{-30, 0, 2}, {-6, 1, 0}, {-2, 2, 0},
                                                       {20, 3, 1},  {12, 4, 1}, {6, 3, 1}};
    HumanPlayer& human = fixture.human();
    for (const auto& [x, zone, camp] : places)
    {
        human.node->setPosition({x, 1, 0});
        human.zone = 9;
        fixture.match->updatePlayerZones();
        EXPECT_EQ(human.zone, zone) << x;
        EXPECT_EQ(human.zoneCamp, camps[camp]) << x;
    }
    // Each camp's area is truncated on its own: 314 + 78.5 + 19.6 for the dragon.
    campAt(-20, 0, 1, 5.0f);
    campAt(20, 0, 1, 2.5f);
    campAt(0, Camp::noOwner, 1, 20.0f);
    human.score = 1000;
    fixture.match->updateScores();
    EXPECT_EQ(human.score, 411);
    EXPECT_EQ(fixture.orc(0).score, 314);
}

// The clock counts whole seconds down from 90: after 80 s the warning, after 90 s the leader is named (the
// dragon below the floor of 100 ties with the orc and comes first), after 93 s the menu is back. One long
// frame past the end skips the winner; a match without players names none. Once the results are up the
// clock is gone ("" below), rather than counting on below zero.
TEST(MatchEndTest, TheClockWarnsAfterEightySecondsNamesTheLeaderAfterNinetyAndLeavesAfterNinetyThree)
{
    // A scene time to run to, how many messages the announcer holds by then, and the clock shown (if
    // checked).
    using Steps = std::vector<std::tuple<irr::u32, std::size_t, const wchar_t*>>;
    const Steps onTime = {{0, 0, L"90"},     {999, 0, L"89"},  {1000, 0, L"89"},
                          {80000, 0, L"10"}, {80001, 1, L"9"}, {90000, 1, L"0"},
                          {90001, 2, L"0"},  {93000, 2, L""},  {93001, 2, L""}};
    const std::wstring warning = L"Only 10 seconds left!";
    // The outer radius of the orc's camp (none at 0), whether the match has no players, what is said.
    const std::tuple<float, bool, Steps, std::vector<std::wstring>, irr::video::SColor> ends[] = {
        {5, false, onTime, {warning, L"Player: 0 won!"}, {128, 255, 255, 255}},
        {10, false, onTime, {warning, L"Player: 1 won!"}, {255, 125, 209, 26}},
        {0, false, {{80000, 0, nullptr}, {93001, 1, nullptr}}, {warning}, 0},
        {0, true, {{80001, 1, nullptr}, {93001, 1, nullptr}}, {warning}, 0}};
    for (const auto& [orcCamp, withoutPlayers, steps, told, winnerColor] : ends)
    {
        RecordingFont clock;
        MatchFixture fixture(1);
        fixture.match->font = &clock;
        if (orcCamp > 0)
        {
            // Made by the dragon and handed over: an orc's own founding would be announced.
            Camp& camp = fixture.campAt({-30, 1, -30}, fixture.human(), 0);
            camp.ownerId = fixture.orc(0).id;
            camp.ring->radius = orcCamp;
        }
        if (withoutPlayers)
            fixture.match->players.clear();
        const std::shared_ptr<TextAnnouncer> announcer = fixture.match->announcer;
        for (const auto& [sceneTime, saidByThen, shown] : steps)
        {
            ASSERT_EQ(fixture.game.engine().getCurrentScene(), fixture.match) << "over before " << sceneTime;
            const std::size_t drawn = clock.calls.size();
            fixture.game.runFrame(sceneTime - fixture.game.now());
            EXPECT_EQ(announcer->getMessages().size(), saidByThen) << sceneTime;
            if (shown && *shown == L'\0')
                EXPECT_EQ(clock.calls.size(), drawn) << sceneTime;
            else
                EXPECT_TRUE(!shown || clock.calls.back().text == irr::core::stringw(L"Time left: ") + shown)
                    << sceneTime;
        }
        EXPECT_NE(fixture.game.currentSceneAs<StartScene>(), nullptr);
        std::vector<std::wstring> said;
        for (const Announcement& message : announcer->getMessages())
            said.emplace_back(message.text.c_str());
        EXPECT_EQ(said, told);
        EXPECT_EQ(announcer->getMessages().back().color, said.size() > 1 ? winnerColor : 0xFFFFFFFF);
    }
}

TEST(RespawnTest, EachSecondBringsBackTheFirstAbsorbedUnitOntoASpotOfTheSetupOrWaitsForOne)
{
    std::int64_t calendar = MatchFixture::calendarSeconds;
    GameEngine::Settings settings = MatchFixture::headless();
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
    ASSERT_TRUE(fixture.quiet());  // every unit below its spot, which stays taken
    // Every 63 frames of 16 ms make 1008 ms, one pass each.
    fixture.frames(3 * 63);
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
        EXPECT_TRUE(!unit.absorbed && !unit.following && unit.target == nullptr && spotOf(unit) >= 2);
        EXPECT_EQ(unit.node->getMaterial(0).EmissiveColor, irr::video::SColor(Unit::unownedGlow));
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
