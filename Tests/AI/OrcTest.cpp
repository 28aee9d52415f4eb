#include "AI/AIPlayer.h"
#include "AI/CaptureBaseState.h"
#include "AI/FetchingState.h"
#include "AI/IdleState.h"
#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "External/AIWorld.h"
#include "MatchRunner.h"
#include "Support/ConsoleCapture.h"
#include "Support/MatchFixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <tuple>
#include <utility>

namespace
{
using irr::core::vector3df;
using Lines = std::vector<std::string>;

const std::string fetching = "MESSAGE: Fetching State Started, Player = 1",
                  creating = "MESSAGE: Create State Started, Player = 1",
                  capturing = "MESSAGE: CaptureBase State Started, Player = 1",
                  reinforcing = "MESSAGE: Reinforce State Started";
const vector3df otherOrcSpot(-10, 3, 10), unitSpot(0, 1, 35), campSpot(0, 3, -15);

// Keeps its player standing wherever the test puts it.
struct Standing : State
{
    void start(AIPlayer* /*player*/) override {}
    void update(AIPlayer* /*player*/) override {}
};

// The quiet arena: a fetching orc (id 1) at (0, 3, 10), a second one that only stands, and the dragon out
// of the way.
class OrcTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(match.quiet());
        put(match.human(), {0, 2, -30});
        other().changeState(std::make_unique<Standing>());
        put(orc(), {0, 3, 10});
        orc().changeState(std::make_unique<FetchingState>());
    }

    AIPlayer& orc() { return match.orc(0); }
    AIPlayer& other() { return match.orc(1); }
    void put(BasePlayer& player, const vector3df& position) { match.place(player.node, position); }
    // The state changes written while frames run until `done` holds, `most` frames at the most.
    Lines stateLines(int most = 1, const std::function<bool()>& done = nullptr)
    {
        ConsoleCapture console;
        for (int frame = 0; frame < most && !(done && done()); ++frame)
            match.frames(1);
        Lines lines;
        for (const std::string& line : console.reportLines())
            if (line.find("State Started") != std::string::npos)
                lines.push_back(line);
        return lines;
    }
    // How far over the ground the orc's waypoint lies from `goal`; waypoints lie at walking height.
    float offCourse(const vector3df& goal)
    {
        EXPECT_EQ(orc().waypoint.Y, AIPlayer::waypointHeight);
        return vector3df(goal.X, AIPlayer::waypointHeight, goal.Z).getDistanceFrom(orc().waypoint);
    }

    MatchFixture match{2};
};

template <class Case>
struct OrcCaseTest : OrcTest, ::testing::WithParamInterface<Case>
{
};

TEST_F(OrcTest, ANewOrcIdlesUntilAUnitIsFreeAndLeavesIdleInItsFirstUpdateEvenWithoutADragonNode)
{
    irr::scene::ISceneNode* dragon = std::exchange(match.human().node, nullptr);
    match.match->createAIPlayer({30, 3, -30}, {0, 0, 0}, {0.1f, 0.1f, 0.1f}, 3);
    match.human().node = dragon;
    match.frames(3);
    EXPECT_NE(dynamic_cast<IdleState*>(match.orc(2).getState()), nullptr);
    match.freeUnitAt({40, 1, -20});
    match.frames(1);
    EXPECT_NE(dynamic_cast<FetchingState*>(match.orc(2).getState()), nullptr);
    EXPECT_EQ(match.orc(2).node->getPosition(), vector3df(30, 3, -30));
}

// Followers, the camp's owner (a player id, -1 for no camp), its units and distance, the state lines.
using Choice = std::tuple<int, int, int, float, Lines>;
using FetchingChoiceTest = OrcCaseTest<Choice>;

TEST_P(FetchingChoiceTest, CapturesAForeignCampItOutnumbersWithinRangeElseFoundsOneAboveTheThreshold)
{
    const auto& [followers, campOwner, campUnits, distance, lines] = GetParam();
    if (campOwner >= 0)
        match.campAt({10 - distance, 3, 10}, *match.match->players.at(static_cast<std::size_t>(campOwner)),
                     campUnits);
    put(orc(), {10, 3, 10});
    match.giveUnits(orc(), followers);
    EXPECT_EQ(stateLines(), lines);
}

INSTANTIATE_TEST_SUITE_P(Edges, FetchingChoiceTest,
                         ::testing::Values(Choice{5, 0, 3, 10, {capturing}}, Choice{4, 0, 3, 10, {}},
                                           Choice{5, 0, 3, 40.0f, {capturing}}, Choice{5, 0, 3, 40.01f, {}},
                                           Choice{6, 1, 0, 10, {}}, Choice{7, 0, 3, 10, {capturing}},
                                           Choice{6, -1, 0, 0, {}}));

// Its followers, the dragon's and where it stands, whether the orc has a camp, its goal, the state lines.
using Encounter = std::tuple<int, int, vector3df, bool, vector3df, Lines>;
using EncounterTest = OrcCaseTest<Encounter>;

// The other orc stands 10 away with one follower, the dragon near or far; a nearer unit freed later.
TEST_P(EncounterTest, DashesAtTheLaterRivalOrTurnsHomeFromAWeakerPlayerElseFetchesAndKeepsItsCourse)
{
    const auto& [followers, dragonFollowers, dragonAt, ownCamp, goal, lines] = GetParam();
    if (ownCamp)
        match.campAt(campSpot, orc(), 0);
    put(match.human(), dragonAt);
    put(other(), otherOrcSpot);
    match.giveUnits(match.human(), dragonFollowers);
    match.giveUnits(other(), 1);
    match.giveUnits(orc(), followers);
    match.freeUnitAt(unitSpot);
    EXPECT_EQ(stateLines(), lines);
    EXPECT_LT(offCourse(goal), 0.5f);
    EXPECT_EQ(orc().dashing, goal == otherOrcSpot);
    EXPECT_EQ(match.sound->plays.back().file == AIPlayer::skillShotSound, goal == otherOrcSpot);
    match.freeUnitAt({0, 1, 5});
    match.frames(1);
    EXPECT_LT(offCourse(goal), 0.5f);
}

INSTANTIATE_TEST_SUITE_P(
    Players, EncounterTest,
    ::testing::Values(Encounter{0, 2, {10, 2, 10}, false, unitSpot, {}},              // no followers
                      Encounter{1, 2, {10, 2, 10}, false, otherOrcSpot, {}},          // two rivals
                      Encounter{2, 0, {0, 2, -30}, false, unitSpot, {}},              // weaker, no camp
                      Encounter{2, 0, {0, 2, -30}, true, campSpot, {reinforcing}}));  // weaker, camp

TEST_F(OrcTest, FailedFoundingsInARingRaiseTheThresholdAndAFoundingOnFreeGroundResetsIt)
{
    match.campAt({10, 3, 0}, match.human(), 20);
    put(orc(), {14.5f, 3, 0});
    match.giveUnits(orc(), BasePlayer::startingCampThreshold);
    for (int attempt = 7; attempt <= 9; ++attempt)
    {
        match.giveUnits(orc(), 1);
        EXPECT_EQ(stateLines(), (Lines{creating, fetching}));
        EXPECT_TRUE(orc().campThreshold == attempt &&
                    orc().units.size() == static_cast<std::size_t>(attempt));
    }
    put(orc(), {10, 3, 25});
    match.giveUnits(orc(), 1);
    EXPECT_EQ(stateLines(), (Lines{creating, fetching}));
    EXPECT_EQ(orc().campThreshold, BasePlayer::startingCampThreshold);
    EXPECT_EQ(match.match->camps.back()->unitCount, 10);
}

TEST_F(OrcTest, ACaptureWalkThatEndsInACampNowItsOwnReinforcesIt)
{
    Camp& camp = match.campAt({10, 3, 0}, match.human(), 1);
    put(orc(), {10, 3, 15});
    match.giveUnits(orc(), 4);
    EXPECT_EQ(stateLines(), Lines{capturing});
    camp.ownerId = orc().id;
    EXPECT_EQ(stateLines(300, [this] { return !orc().moving; }), Lines{fetching});
    EXPECT_TRUE(camp.unitCount == 5 && orc().campsCaptured == 0);
}

// Frame lengths in ms that follow one another in turn: the walks hold at any frame rate, frames of no time
// among them.
using Frames = std::vector<irr::u32>;

struct OrcWalkTest : OrcTest, ::testing::WithParamInterface<Frames>
{
    // Runs frames of the turn for `ms` of game time, or until `done` holds.
    void walkFor(
        double ms, const std::function<bool()>& done = [] { return false; })
    {
        for (double walked = 0.0; walked < ms && !done(); ++next)
        {
            const irr::u32 length = GetParam()[next % GetParam().size()];
            match.frames(1, length);
            walked += length;
        }
    }

    std::size_t next = 0;
};

TEST_P(OrcWalkTest, WalksAroundAPillarOverTheFloorAndActsOnlyOnceAtTheEnd)
{
    match.campAt({20, 3, 30}, match.human(), 0);
    put(orc(), {20, 3, 10});
    match.giveUnits(orc(), 2);
    const irr::AI::AINavigationMesh& floor = *match.match->getAIWorld()->getNavigationMesh();
    int framesOffTheFloor = 0;
    walkFor(9600,
            [&]
            {
                framesOffTheFloor += floor.isPointInsideNavigationMesh(orc().node->getPosition()) ? 0 : 1;
                return orc().campsCaptured > 0;
            });
    walkFor(960);
    EXPECT_EQ(framesOffTheFloor, 0);
    EXPECT_EQ(orc().campsCaptured, 1);
    EXPECT_EQ(orc().campsFounded, 0);
}

// The dragon is no part of the floor's map, so the path runs straight through it; this line of approach
// lodges the orc under its body.
TEST_P(OrcWalkTest, GetsPastTheDragonStandingInItsWay)
{
    put(match.human(), {0, 2, 0});
    put(orc(), {-12, 3, 1});
    const Unit& unit = match.freeUnitAt({12, 1, 1});
    walkFor(14400, [&unit] { return unit.following; });
    EXPECT_EQ(unit.owner, &orc());
}

INSTANTIATE_TEST_SUITE_P(FrameLengths, OrcWalkTest,
                         ::testing::Values(Frames{16}, Frames{0, 0, 1, 0, 2}, Frames{33}, Frames{100}));

TEST_F(OrcTest, ACampWalkWithNoPathGoesBackToFetchingWithoutACampAction)
{
    Camp& camp = match.campAt({500, 3, 500}, match.human(), 0);
    match.giveUnits(orc(), 3);
    orc().setWaypoint({0, 3, -20});  // where an earlier walk was going
    ConsoleCapture console;
    orc().changeState(std::make_unique<CaptureBaseState>(&camp));
    EXPECT_EQ(console.reportLines(), (Lines{capturing, fetching}));
    match.frames(10);
    EXPECT_EQ(orc().node->getPosition(), vector3df(0, 3, 10));
    EXPECT_EQ(match.match->camps.size(), 1u);
}

// A stunned orc still thinks, its state changing, but it stands until the stun is over.
TEST_F(OrcTest, AStunnedCaptureWalkGivesWayToFetchingAndTheOrcWalksOnAfterTheStun)
{
    match.campAt({10, 3, -20}, match.human(), 0);
    match.giveUnits(orc(), 2);
    match.freeUnitAt({-30, 1, 0});
    EXPECT_EQ(stateLines(5), Lines{capturing});
    orc().stun();
    const vector3df stunnedAt = orc().node->getPosition();
    EXPECT_EQ(stateLines(2), Lines{fetching});
    EXPECT_TRUE(!orc().moving && orc().node->getPosition() == stunnedAt);
    match.frames(static_cast<int>(BasePlayer::stunDuration / 16) + 12);
    EXPECT_GT(orc().node->getPosition().getDistanceFrom(stunnedAt), 1.0f);
}

// Four orcs and a dragon that walks, founds and dashes at random, over several seeds of chance.
TEST(OrcMatchTest, EveryOrcTakesACampNoneStandsStillLongOrLeavesTheFloorAndMostMatchesSeeACapture)
{
    constexpr int seeds = 6;
    const std::regex orcPart(R"(founded (\d+) captured (\d+) still ([0-9.e+]+) ms off-floor (\d+))");
    int matchesWithACapture = 0;
    for (std::uint32_t seed = 1; seed <= seeds; ++seed)
    {
        RunnerOptions options;
        options.seed = seed;
        options.dragon = RunnerOptions::Dragon::wander;
        std::string line;
        ASSERT_EQ(MatchRunner(options, nullptr)
                      .play({1}, [&line](MatchRecord& played) { line = played.summary.line(played.number); }),
                  1u);
        int orcs = 0, captures = 0;
        for (std::sregex_iterator part(line.begin(), line.end(), orcPart), end; part != end; ++part, ++orcs)
        {
            const std::smatch& found = *part;
            captures += std::stoi(found[2]);
            EXPECT_GE(std::stoi(found[1]) + std::stoi(found[2]), 1) << line;
            EXPECT_LE(std::stof(found[3]), 3000.0f) << line;  // a stun stops an orc for less
            EXPECT_EQ(found[4], "0") << line;
        }
        EXPECT_EQ(orcs, 4) << line;
        matchesWithACapture += captures > 0 ? 1 : 0;
    }
    EXPECT_GT(matchesWithACapture * 2, seeds);
}
}  // namespace
