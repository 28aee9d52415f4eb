#include "AI/AIPlayer.h"
#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "External/AIWorld.h"
#include "GameEngine/FormatWide.h"
#include "Support/MatchFixture.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace
{
using irr::core::vector3df;

// A quiet arena with the dragon at the centre and two orcs in their corners, idle while no unit is free.
class EntityTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(match.quiet()); }
    HumanPlayer& human() { return match.human(); }
    AIPlayer& orc() { return match.orc(0); }

    MatchFixture match{2};
};

// An absorbed unit, though it follows in name, never moves nor joins anyone.
TEST_F(EntityTest, AUnitJoinsWithinThreeAndStandsStillWithinOneAndAHalfUnlessAbsorbed)
{
    const std::tuple<float, bool, bool, bool> cases[] = {{3.0f, false, false, true},
                                                         {3.0001f, false, false, false},
                                                         {1.5f, true, false, false},
                                                         {1.5001f, true, false, true},
                                                         {2.0f, true, true, false}};
    for (const auto& [distance, following, absorbed, acts] : cases)
    {
        human().units.clear();
        match.nextUnit = 0;
        Unit& unit = match.freeUnitAt({distance, 2, 0});
        unit.following = following;
        unit.absorbed = absorbed;
        unit.target = human().node;
        unit.speed = 0.4f;
        unit.update(16, 0);
        EXPECT_NEAR(unit.getPosition().X, following && acts ? distance - 0.4f : distance, 1e-5) << distance;
        EXPECT_EQ(human().units.size(), !following && acts ? 1u : 0u) << distance;
    }
}

TEST_F(EntityTest, AUnitJoinsOnlyTheFirstPlayerWithinReachTheDragonBeforeTheOrcs)
{
    match.place(orc().node, {1, 2, 10});
    match.place(match.orc(1).node, {0, 2, 11});
    match.freeUnitAt({0, 2, 10}).update(16, 0);
    match.place(match.orc(1).node, {1, 2, 0});
    match.freeUnitAt({0, 2, 1}).update(16, 0);
    EXPECT_EQ(orc().units, std::vector<Unit*>{match.match->units[0].get()});
    EXPECT_EQ(human().units, std::vector<Unit*>{match.match->units[1].get()});
    EXPECT_TRUE(match.orc(1).units.empty());
}

// Without an orc, so that no unit freed by the respawns is fetched.
TEST(CampTest, ACampAboveFiveUnitsLosesOneEveryThreeSeconds)
{
    MatchFixture match;
    ASSERT_TRUE(match.quiet());
    Camp& camp = *match.foundCamp(match.human(), {0, 2, 0}, 12);
    for (int second = 1; second <= 27; ++second)
    {
        match.frames(10, 100);
        ASSERT_EQ(camp.unitCount, std::max(5, 12 - second / 3)) << "after " << second << " s";
    }
}

// Only the level bounds a ring: not the world origin, nor the dragon at its centre, whose model carries a
// selector once an orc collides with it. The ring grows 0.001 a unit and ms (to within the last frame's
// growth), whatever the frames' lengths.
TEST(CampTest, TheRingFitsTheLevelsWallsAndGrowsToThem)
{
    using Frames = std::vector<irr::u32>;
    for (const auto& [z, orcs, least, most, frames] :
         {std::tuple(30.0f, 0u, 11.1f, 11.3f, Frames{16}), std::tuple(10.0f, 0u, 15.0f, 50.0f, Frames{16}),
          std::tuple(0.0f, 1u, 20.0f, 50.0f, Frames{16}),
          std::tuple(10.0f, 0u, 15.0f, 50.0f, Frames{0, 0, 1, 0, 2}),
          std::tuple(10.0f, 0u, 15.0f, 50.0f, Frames{100})})
    {
        MatchFixture match(orcs);
        ASSERT_TRUE(match.quiet());
        EXPECT_EQ(match.human().node->getTriangleSelector() != nullptr, orcs > 0);
        const Camp& camp = *match.foundCamp(match.human(), {0, 2, z}, 6);
        EXPECT_TRUE(camp.fullRadius >= least && camp.fullRadius <= most) << camp.fullRadius << " at z " << z;
        irr::u32 grown = 0;
        for (std::size_t frame = 0; grown < 1600; ++frame)
        {
            match.frames(1, frames[frame % frames.size()]);
            grown += frames[frame % frames.size()];
        }
        const float lastStep =
            6 * 0.001f * static_cast<float>(*std::max_element(frames.begin(), frames.end()));
        EXPECT_NEAR(camp.ring->radius, std::min(5.0f + 1600 * 0.006f, camp.fullRadius),
                    std::max(0.3f, lastStep))
            << z << " after frames of " << frames.back() << " ms";
    }
}

TEST_F(EntityTest, ThePlayersStepFollowsZoneDashAndStunAndReachesItsUnits)
{
    const Unit& unit = *match.giveUnits(human(), 1).front();
    const std::tuple<int, bool, bool, double, float> steps[] = {
        {0, false, false, 16, 0.4f},  {1, false, false, 16, 0.24f}, {2, false, false, 16, 0.24f},
        {3, false, false, 16, 0.48f}, {4, false, false, 16, 0.48f}, {1, true, false, 16, 3.2f},
        {0, true, true, 16, 0},       {0, true, false, 0, 0},       {3, false, false, 0, 0}};
    for (const auto& [zone, dashing, stunned, frameDelta, step] : steps)
    {
        human().zone = zone;
        human().dashing = dashing;
        human().stunned = stunned;
        human().update(frameDelta, 1);
        EXPECT_FLOAT_EQ(unit.speed, step) << "zone " << zone << (dashing ? " dashing " : " ") << frameDelta;
    }
}

TEST_F(EntityTest, TwoSecondsInEnemyRingsCostTheOldestUnitAlsoAcrossVisits)
{
    Camp& camp = *match.foundCamp(orc(), {-30, 3, -30}, 1);
    const std::vector<Unit*> units = match.giveUnits(human(), 3);
    human().zoneCamp = &camp;
    for (const auto& [zone, ms] : {std::pair(1, 1500), std::pair(0, 16), std::pair(2, 499), std::pair(2, 1)})
    {
        EXPECT_EQ(human().units.size(), 3u);
        human().zone = zone;
        human().update(ms, 1);
    }
    EXPECT_EQ(human().units, (std::vector<Unit*>{units[1], units[2]}));
    EXPECT_TRUE(units[0]->absorbed && units[0]->target == camp.node && camp.unitCount == 2);
    EXPECT_EQ(units[0]->getPosition(), vector3df(-2, -1000, 1));
    EXPECT_EQ(match.said().back().text, L"You lost one unit!");
    EXPECT_EQ(match.plays(BasePlayer::lostUnitSound), 1);
}

TEST(CaptureTest, AnAttackCapturesOnlyWithMoreUnitsAndUsesThemUpEitherWay)
{
    for (const auto& [byHuman, attackers, defenders, left] :
         {std::tuple(true, 5, 3, 2), std::tuple(false, 5, 3, 2), std::tuple(false, 3, 3, 0),
          std::tuple(false, 2, 3, 1)})
    {
        MatchFixture match(1);
        ASSERT_TRUE(match.quiet());
        BasePlayer& attacker = byHuman ? static_cast<BasePlayer&>(match.human()) : match.orc(0);
        BasePlayer& defender = byHuman ? static_cast<BasePlayer&>(match.orc(0)) : match.human();
        Camp& camp = *match.foundCamp(defender, {10, 2, 10}, defenders);
        const std::vector<Unit*> units = match.giveUnits(attacker, attackers);
        attacker.zone = BasePlayer::enemyCore;
        attacker.zoneCamp = &camp;
        attacker.campAction();
        const bool captured = attackers > defenders;
        EXPECT_EQ(camp.unitCount, left);
        BasePlayer& owner = captured ? attacker : defender;
        EXPECT_TRUE(camp.ownerId == owner.id && camp.color == owner.color.toSColor());
        EXPECT_TRUE(attacker.units.empty() && units.back()->absorbed && units.back()->target == camp.node);
        EXPECT_EQ(match.plays(BasePlayer::captureCampSound), captured ? 1 : 0);
        EXPECT_EQ(match.plays(BasePlayer::lostCampSound), captured && !byHuman ? 1 : 0);
        EXPECT_TRUE(!captured || byHuman || match.said().back().text == L"Player 2 captured your camp!");
    }
}

// Founding is refused without units and announced only for an orc; reinforcing is told unless both the
// chain and the camp are empty.
TEST_F(EntityTest, FoundingAbsorbsEveryUnitInPlaceAndReinforcingAddsThem)
{
    EXPECT_EQ(match.foundCamp(human(), {0, 2, 0}, 0), nullptr);
    EXPECT_EQ(match.said().back().text, L"You need at least one unit to create a camp!");
    Camp& camp = *match.foundCamp(human(), {0, 2, 0}, 3);
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(match.match->units[n]->getPosition(), vector3df(-2.0f * (n + 1), -1000, 1));
    EXPECT_TRUE(camp.unitCount == 3 && human().units.empty() && match.match->units[0]->target == camp.node);
    EXPECT_EQ(match.said().size(), 1u);
    ASSERT_NE(match.foundCamp(orc(), {-30, 3, -30}, 1), nullptr);
    EXPECT_TRUE(match.said().back().text == L"Player 2 created a camp!" &&
                match.said().back().color == orc().color.toSColor());
    EXPECT_EQ(match.foundCamp(orc(), {-30, 3, -30}, 0), nullptr);
    EXPECT_EQ(match.said().size(), 3u);

    human().zone = BasePlayer::ownCore;
    human().zoneCamp = &camp;
    for (const auto& [units, before, after, told] :
         {std::tuple(2, 4, 6, 4u), std::tuple(0, 4, 4, 5u), std::tuple(0, 0, 0, 5u)})
    {
        camp.unitCount = static_cast<irr::u16>(before);
        match.giveUnits(human(), units);
        human().campAction();
        EXPECT_EQ(camp.unitCount, after);
        EXPECT_EQ(match.said().size(), told);
        EXPECT_EQ(match.plays(BasePlayer::reinforceCampSound), static_cast<int>(told) - 3);
    }
}

// A dash that touches another player ends at once, cools down and stuns the other; one that misses goes on,
// and a player that only touches stuns no one.
TEST_F(EntityTest, ADashThatTouchesAnotherPlayerEndsAtOnceAndStunsIt)
{
    AIPlayer& far = match.orc(1);
    match.place(orc().node, {0.5f, 2, 0});
    match.place(far.node, {20, 2, 20});
    human().dashing = far.dashing = true;
    match.frames(1);
    EXPECT_TRUE(orc().stunned && !human().stunned && !far.stunned);
    EXPECT_TRUE(!human().dashing && human().coolingDown && human().dashTime == 0.0f);
    EXPECT_TRUE(far.dashing && !far.coolingDown);
    match.place(far.node, {-0.5f, 2, 0});
    match.frames(1);
    EXPECT_TRUE(human().stunned && !far.dashing && far.coolingDown);
}

// Each pickup leads the chain, in the owner's glow, with a sound placed for an orc. A stun throws every unit
// up to 15 toward larger x and z, onto the floor or, beyond it, out of play, with an "Ouch!" each for the
// human.
TEST_F(EntityTest, PickedUpUnitsFollowInAChainUntilAStunScattersThem)
{
    match.place(human().node, {42, 2, 25});  // By the east wall: some throws land beyond the floor.
    const std::vector<Unit*> units = match.giveUnits(human(), 20);
    for (std::size_t n = 0; n < units.size(); ++n)
        EXPECT_EQ(units[n]->target, n + 1 < units.size() ? units[n + 1]->node : human().node) << n;
    EXPECT_EQ(units[0]->node->getMaterial(0).EmissiveColor, human().color.toSColor());
    const Unit& orcs = *match.giveUnits(orc(), 1).front();
    EXPECT_EQ(orcs.node->getMaterial(0).EmissiveColor, orc().color.toSColor());
    EXPECT_TRUE(match.sound->plays.back().placed && match.sound->plays.back().position == orcs.getPosition());
    EXPECT_EQ(match.plays(Unit::pickupSoundPath), 20);
    std::vector<vector3df> from;
    for (const Unit* unit : units)
        from.push_back(unit->getPosition());
    human().stun();
    orc().stun();
    EXPECT_TRUE(human().stunned && human().units.empty() && orc().units.empty());
    const irr::AI::AINavigationMesh* floor = match.match->getAIWorld()->getNavigationMesh();
    int landed = 0;
    for (std::size_t n = 0; n < units.size(); ++n)
    {
        const vector3df to = units[n]->getPosition();
        for (float step : {to.X - from[n].X, to.Z - from[n].Z})
            EXPECT_TRUE(step >= 0 && step <= 15 && step == std::floor(step)) << step;
        const bool onFloor = floor->isPointInsideNavigationMesh({to.X, 1, to.Z});
        EXPECT_EQ(to.Y, onFloor ? 1.0f : Unit::thrownOffHeight);
        EXPECT_TRUE(units[n]->absorbed == !onFloor && units[n]->following == !onFloor && !units[n]->target);
        EXPECT_EQ(units[n]->node->getMaterial(0).EmissiveColor, irr::video::SColor(Unit::unownedGlow));
        landed += onFloor ? 1 : 0;
    }
    EXPECT_TRUE(landed > 0 && landed < 20) << landed;
    EXPECT_EQ(match.said().size(), 20u);
    EXPECT_EQ(match.said().back().text, L"Ouch!");
    EXPECT_EQ(match.plays(BasePlayer::stunnedSound) + match.plays(BasePlayer::stunnedSound, true), 2);
}

// Yaw turns 512 degrees and pitch 256 per window of cursor travel, times the player's mouse sensitivity; yaw
// below -360 jumps to 360. W walks where the camera looks: along +x at yaw 0, along -z at yaw 90; A to its
// left.
TEST_F(EntityTest, TheCursorTurnsTheCameraWithinItsLimitsAndEachMoveKeyStepsAlongItsGround)
{
    irr::gui::ICursorControl* cursor = match.game.device()->getCursorControl();
    const std::tuple<float, float, float, float, float, float> turns[] = {
        {10, 0.5f, 0.5f, 10, -45, 1},        {10, 1, 0.5f, 266, -45, 1},
        {-300, 0.375f, 0.5f, 360, -45, 1},   {400, 0.5f, 0.5f, 400, -45, 1},
        {0, 0.5f, 0.4f, 0, -30, 1},          {0, 0.5f, 0.6f, 0, -60, 1},
        {10, 0.75f, 0.625f, 42, -53, 0.25f}, {10, 0.625f, 0.5f, 170, -45, 2.5f}};
    for (const auto& [yaw, x, y, turnedYaw, pitch, sensitivity] : turns)
    {
        human().yaw = yaw;
        human().pitch = -45;
        human().mouseSensitivity = sensitivity;
        cursor->setPosition(x, y);
        match.frames(1);
        EXPECT_TRUE(human().yaw == turnedYaw && human().pitch == pitch)
            << human().yaw << " " << human().pitch;
        EXPECT_EQ(cursor->getRelativePosition(), irr::core::position2df(0.5f, 0.5f));
    }
    const std::tuple<float, irr::EKEY_CODE, vector3df> walks[] = {
        {0, irr::KEY_KEY_W, {1, 0, 0}},  {0, irr::KEY_KEY_S, {-1, 0, 0}},  {0, irr::KEY_KEY_A, {0, 0, 1}},
        {0, irr::KEY_KEY_D, {0, 0, -1}}, {90, irr::KEY_KEY_W, {0, 0, -1}}, {90, irr::KEY_KEY_A, {1, 0, 0}}};
    for (const auto& [yaw, key, direction] : walks)
    {
        match.place(human().node, {0, 2, 0});
        human().yaw = yaw;
        match.game.postKey(key, true);
        match.frames(1);
        match.game.postKey(key, false);
        EXPECT_TRUE(human().node->getPosition().equals(vector3df(0, 2, 0) + direction * 0.4f, 1e-4f)) << yaw;
    }
}

TEST_F(EntityTest, SpaceActsOncePerPressAndFDashesOnRelease)
{
    const auto press = [this](irr::EKEY_CODE key)
    {
        match.game.postKey(key, true);
        match.frames(3);
        EXPECT_FALSE(human().dashing);
        match.game.postKey(key, false);
        match.frames(1);
    };
    press(irr::KEY_SPACE);
    press(irr::KEY_SPACE);
    EXPECT_EQ(match.plays(BasePlayer::failedCampSound), 2);
    press(irr::KEY_KEY_F);
    EXPECT_TRUE(human().dashing);
    EXPECT_EQ(match.plays(HumanPlayer::skillShotSound), 1);
}

// Frame lengths in ms that follow one another in turn.
using Frames = std::vector<irr::u32>;

class TimedStateTest : public EntityTest, public ::testing::WithParamInterface<Frames>
{
protected:
    // Runs the next frame of the turn; returns its length.
    double frame()
    {
        const irr::u32 length = GetParam()[next++ % GetParam().size()];
        match.frames(1, length);
        return length;
    }
    double longest() const { return *std::max_element(GetParam().begin(), GetParam().end()); }
    bool dashStep(double length)
    {
        return length > 0 && human().speed == static_cast<float>(human().dashSpeed * length);
    }

    std::size_t next = 0;
};

// The dash gives its speed, its cooldown refuses the next dash, and a stun holds the player, each for its
// time to within one frame, however long the frames: frames of no time end nothing. A press during the
// cooldown tells the seconds that are really left.
TEST_P(TimedStateTest, ADashItsCooldownAndAStunLastTheirTimeToWithinAFrame)
{
    const auto pressF = [this](double& cooled)
    {
        for (const bool down : {true, false})
        {
            match.game.postKey(irr::KEY_KEY_F, down);
            const double length = frame();
            cooled += human().coolingDown ? length : 0.0;
        }
    };
    double ignored = 0.0;
    pressF(ignored);
    ASSERT_TRUE(human().dashing);
    double dashed = 0.0;
    double cooled = 0.0;
    while (human().dashing && dashed < 1000.0)
    {
        const double length = frame();
        dashed += dashStep(length) ? length : 0.0;
        // The update that ends the dash begins the cooldown and counts its frame.
        cooled += human().coolingDown ? length : 0.0;
    }
    EXPECT_TRUE(dashed <= BasePlayer::dashDuration && dashed > BasePlayer::dashDuration - longest())
        << dashed;
    while (cooled < 2000.0 && human().coolingDown)
        cooled += frame();
    pressF(cooled);
    ASSERT_TRUE(human().coolingDown && !match.said().empty()) << cooled;
    WideText left;
    formatWide(left, L"%.2f S", (BasePlayer::cooldownDuration - cooled) / 1000.0);
    EXPECT_EQ(match.said().back().text, left);
    EXPECT_FALSE(human().dashing);
    while (human().coolingDown && cooled < 10000.0)
    {
        const double length = frame();
        cooled += human().coolingDown ? length : 0.0;
    }
    EXPECT_TRUE(cooled <= BasePlayer::cooldownDuration && cooled > BasePlayer::cooldownDuration - longest())
        << cooled;

    human().stun();
    double held = 0.0;
    while (human().stunned && held < 5000.0)
    {
        held += frame();
        EXPECT_EQ(human().speed, 0.0f);
    }
    EXPECT_TRUE(held > BasePlayer::stunDuration && held <= BasePlayer::stunDuration + longest()) << held;
}

INSTANTIATE_TEST_SUITE_P(FrameLengths, TimedStateTest,
                         ::testing::Values(Frames{16}, Frames{0, 0, 1, 0, 2}, Frames{8}, Frames{33},
                                           Frames{100}, Frames{1, 100, 0}));
}  // namespace
