#include "AI/AIPlayer.h"
#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "EntityMatch.h"
#include "Network/TelemetryMessage.h"
#include "Support/ConsoleCapture.h"

#include <tuple>

namespace
{
using irr::core::vector3df;
using PlayerRulesTest = EntityMatch;
using HumanControlTest = EntityMatch;

TEST_F(PlayerRulesTest, TheStepLengthFollowsZoneDashAndStunAndReachesTheUnits)
{
    ASSERT_TRUE(start());
    const Unit& unit = *giveUnits(human(), 1).front();
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

TEST_F(PlayerRulesTest, ADashLastsTenUpdatesItsCooldownAboutThreeHundredAndFiftyAndAStunAHundred)
{
    ASSERT_TRUE(start());
    // Each count includes the update that ends the state.
    const auto updatesWhile = [this](const bool& state)
    {
        int updates = 0;
        for (; state && updates < 1000; ++updates)
            human().update(16, 1);
        return updates;
    };
    human().dashing = true;
    EXPECT_EQ(updatesWhile(human().dashing), 11);
    EXPECT_EQ(updatesWhile(human().coolingDown), 350);
    human().stunned = true;
    EXPECT_EQ(updatesWhile(human().stunned), 101);
    // An update without length ends nothing; the next one ends what was running.
    human().dashing = human().stunned = true;
    human().update(0, 1);
    EXPECT_TRUE(human().dashing && human().stunned);
    human().update(16, 1);
    EXPECT_FALSE(human().dashing || human().stunned);
}

TEST_F(PlayerRulesTest, TwoSecondsInEnemyRingsCostTheOldestUnitAlsoAcrossVisits)
{
    ASSERT_TRUE(start(1));
    Camp& camp = *foundCamp(fixture->orc(0), {-30, 3, -30}, 1);
    const std::vector<Unit*> units = giveUnits(human(), 3, 1);
    human().zoneCamp = &camp;
    for (const auto& [zone, ms] :
         std::initializer_list<std::pair<int, int>>{{1, 1500}, {0, 16}, {2, 499}, {2, 1}})
    {
        EXPECT_EQ(human().units.size(), 3u);
        human().zone = zone;
        human().update(ms, 1);
    }
    EXPECT_EQ(human().units, (std::vector<Unit*>{units[1], units[2]}));
    EXPECT_TRUE(units[0]->absorbed && units[0]->target == camp.node);
    EXPECT_EQ(units[0]->getPosition(), vector3df(-2, -1000, 1));
    EXPECT_EQ(units[0]->node->getMaterial(0).EmissiveColor, camp.color);
    EXPECT_EQ(camp.unitCount, 2);
    EXPECT_EQ(said().back().text, L"You lost one unit!");
    EXPECT_EQ(plays(BasePlayer::lostUnitSound), 1);
}

TEST_F(PlayerRulesTest, AnAttackCapturesOnlyWithMoreUnitsAndUsesThemUpEitherWay)
{
    for (const auto& [byHuman, attackers, defenders, left] :
         std::initializer_list<std::tuple<bool, int, int, int>>{
             {true, 5, 3, 2}, {false, 5, 3, 2}, {false, 3, 3, 0}, {false, 2, 3, 1}})
    {
        ASSERT_TRUE(start(1));
        BasePlayer& attacker = byHuman ? static_cast<BasePlayer&>(human()) : fixture->orc(0);
        BasePlayer& defender = byHuman ? static_cast<BasePlayer&>(fixture->orc(0)) : human();
        Camp& camp = *foundCamp(defender, {10, 2, 10}, defenders);
        const std::vector<Unit*> units = giveUnits(attacker, attackers, 10);
        attacker.zone = BasePlayer::enemyCore;
        attacker.zoneCamp = &camp;
        attacker.campAction();
        const bool captured = attackers > defenders;
        EXPECT_EQ(camp.unitCount, left);
        EXPECT_EQ(camp.ownerId, (captured ? attacker : defender).id);
        EXPECT_EQ(camp.color, (captured ? attacker : defender).color.toSColor());
        EXPECT_TRUE(attacker.units.empty() && units.back()->absorbed && units.back()->target == camp.node);
        EXPECT_EQ(plays(BasePlayer::captureCampSound), captured ? 1 : 0);
        EXPECT_EQ(plays(BasePlayer::lostCampSound), captured && !byHuman ? 1 : 0);
        if (captured && !byHuman)
        {
            EXPECT_EQ(said().back().text, L"Player 2 captured your camp!");
        }
    }
}

TEST_F(PlayerRulesTest, ReinforcingAddsTheUnitsAndSaysSoUnlessBothAreEmpty)
{
    ASSERT_TRUE(start());
    Camp& camp = *foundCamp(human(), {0, 2, 0}, 1);
    human().zone = BasePlayer::ownCore;
    human().zoneCamp = &camp;
    for (const auto& [units, before, after, told] :
         std::initializer_list<std::tuple<int, int, int, std::size_t>>{
             {2, 4, 6, 1}, {0, 4, 4, 2}, {0, 0, 0, 2}})
    {
        camp.unitCount = static_cast<irr::u16>(before);
        giveUnits(human(), units, 1);
        human().campAction();
        EXPECT_EQ(camp.unitCount, after);
        EXPECT_EQ(said().size(), told);
        EXPECT_EQ(plays(BasePlayer::reinforceCampSound), static_cast<int>(told));
    }
}

TEST_F(PlayerRulesTest, AStunScattersEveryUnitWithAnOuchEachForTheHumanOnly)
{
    ASSERT_TRUE(start(1));
    const std::vector<Unit*> units = giveUnits(human(), 3);
    giveUnits(fixture->orc(0), 2, 3);
    human().stun();
    fixture->orc(0).stun();
    EXPECT_TRUE(human().stunned && human().units.empty() && fixture->orc(0).units.empty());
    EXPECT_TRUE(units[0]->target == nullptr && units[0]->following == units[0]->absorbed);
    EXPECT_EQ(said().size(), 3u);
    EXPECT_EQ(said().back().text, L"Ouch!");
    EXPECT_EQ(plays(BasePlayer::stunnedSound) + plays(BasePlayer::stunnedSound, true), 2);
}

TEST_F(PlayerRulesTest, FoundingAbsorbsEveryUnitInPlaceAndIsRefusedWithoutUnits)
{
    ASSERT_TRUE(start(1));
    EXPECT_EQ(foundCamp(human(), {0, 2, 0}, 0), nullptr);
    EXPECT_EQ(said().back().text, L"You need at least one unit to create a camp!");
    const Camp& camp = *foundCamp(human(), {0, 2, 0}, 3);
    EXPECT_EQ(camp.unitCount, 3);
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(fixture->match->units[n]->getPosition(), vector3df(-2.0f * (n + 1), -1000, 1));
    EXPECT_TRUE(human().units.empty() && fixture->match->units[0]->target == camp.node);
    EXPECT_EQ(said().size(), 1u);
    ASSERT_NE(foundCamp(fixture->orc(0), {-30, 3, -30}, 1, 3), nullptr);
    EXPECT_EQ(said().back().text, L"Player 2 created a camp!");
    EXPECT_EQ(said().back().color, fixture->orc(0).color.toSColor());
    EXPECT_EQ(foundCamp(fixture->orc(0), {-30, 3, -30}, 0), nullptr);
    EXPECT_EQ(said().size(), 3u);
}

TEST_F(PlayerRulesTest, ThePlayerMessageListsPositionAndEveryScore)
{
    EXPECT_EQ(TelemetryMessage::player(0, {1.5f, 2.0f, -3.25f}, {{0, 314}, {1, 0}}),
              R"({ "type": "player", "id": "0", "xpos": "1.5", "ypos": "2", "zpos": "-3.25", "score":[)"
              R"({ "name": "0", "score": "314"} ,{ "name": "1", "score": "0"} ]})");
}

// Yaw turns 512 degrees and pitch 256 per window of cursor travel; yaw below -360 jumps to 360.
TEST_F(HumanControlTest, TheCursorTurnsTheCameraWithinItsLimitsAndIsPutBackInTheMiddle)
{
    ASSERT_TRUE(start());
    irr::gui::ICursorControl* cursor = fixture->game.device()->getCursorControl();
    const std::tuple<float, float, float, float, float> turns[] = {
        {10, 0.5f, 0.5f, 10, -45},   {10, 1, 0.5f, 266, -45}, {-300, 0.375f, 0.5f, 360, -45},
        {400, 0.5f, 0.5f, 400, -45}, {0, 0.5f, 0.4f, 0, -30}, {0, 0.5f, 0.6f, 0, -60}};
    for (const auto& [yaw, x, y, turnedYaw, pitch] : turns)
    {
        human().yaw = yaw;
        human().pitch = -45;
        cursor->setPosition(x, y);
        fixture->frames(1);
        EXPECT_TRUE(human().yaw == turnedYaw && human().pitch == pitch)
            << human().yaw << " " << human().pitch;
        EXPECT_EQ(cursor->getRelativePosition(), irr::core::position2df(0.5f, 0.5f));
    }
}

// W walks where the camera looks: along +x at yaw 0, along -z at yaw 90; A to its left.
TEST_F(HumanControlTest, EachMoveKeyStepsOneStepLengthAlongTheCamerasGround)
{
    ASSERT_TRUE(start());
    const std::tuple<float, irr::EKEY_CODE, vector3df> walks[] = {
        {0, irr::KEY_KEY_W, {1, 0, 0}},  {0, irr::KEY_KEY_S, {-1, 0, 0}},  {0, irr::KEY_KEY_A, {0, 0, 1}},
        {0, irr::KEY_KEY_D, {0, 0, -1}}, {90, irr::KEY_KEY_W, {0, 0, -1}}, {90, irr::KEY_KEY_A, {1, 0, 0}}};
    for (const auto& [yaw, key, direction] : walks)
    {
        fixture->place(human().node, {0, 2, 0});
        human().yaw = yaw;
        fixture->game.postKey(key, true);
        fixture->frames(1);
        fixture->game.postKey(key, false);
        EXPECT_TRUE(human().node->getPosition().equals(vector3df(0, 2, 0) + direction * 0.4f, 1e-4f)) << yaw;
    }
}

TEST_F(HumanControlTest, SpaceActsOncePerPressAndFDashesOnReleaseOrTellsTheCooldown)
{
    ASSERT_TRUE(start());
    const auto press = [this](irr::EKEY_CODE key)
    {
        fixture->game.postKey(key, true);
        fixture->frames(3);
        EXPECT_FALSE(human().dashing);
        fixture->game.postKey(key, false);
        fixture->frames(1);
    };
    press(irr::KEY_SPACE);
    press(irr::KEY_SPACE);
    EXPECT_EQ(plays(BasePlayer::failedCampSound), 2);
    press(irr::KEY_KEY_F);
    EXPECT_TRUE(human().dashing);
    fixture->frames(11);
    ConsoleCapture console;
    press(irr::KEY_KEY_F);
    EXPECT_FALSE(human().dashing);
    EXPECT_EQ(plays(HumanPlayer::skillShotSound), 1);
    EXPECT_EQ(said().back().text, L"0.02 S");
    EXPECT_EQ(console.lines().back().rfind("AI MESSAGE: : ", 0), 0u);
}
}  // namespace
