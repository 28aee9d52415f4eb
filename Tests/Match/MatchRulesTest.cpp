#include "AI/AIPlayer.h"
#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Support/MatchFixture.h"

#include <gtest/gtest.h>

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
        fixture.match->createCamp({x, 1, 0}, {0, 0, 0}, {0.1f, 0.1f, 0.1f}, &fixture.human());
        Camp& camp = *fixture.match->camps.back();
        camp.ownerId = owner;
        camp.unitCount = units;
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

TEST_F(MatchRulesTest, APlayerTakesTheZoneOfTheLastRingItStandsIn)
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
}

TEST_F(MatchRulesTest, ScoresAreEachOwnedRingsAreaTruncatedPerCamp)
{
    campAt(-20, 0, 1, 5.0f);  // 78.5
    campAt(20, 0, 1, 2.5f);   // 19.6
    campAt(0, 1, 1, 10.0f);
    campAt(0, Camp::noOwner, 1, 20.0f);
    fixture.human().score = 1000;
    fixture.match->updateScores();
    EXPECT_EQ(fixture.human().score, 97);
    EXPECT_EQ(fixture.orc(0).score, 314);
}

TEST(DashHitTest, ADashThatTouchesAnotherPlayerEndsAtOnceAndStunsIt)
{
    // How far apart; who dashes, the dragon or the orc; who ends up stunned.
    const std::tuple<float, bool, bool, bool, bool> hits[] = {{0.5f, true, false, false, true},
                                                              {0.5f, false, true, true, false},
                                                              {0.5f, false, false, false, false},
                                                              {20.0f, true, false, false, false}};
    for (const auto& [apart, humanDashes, orcDashes, humanStunned, orcStunned] : hits)
    {
        MatchFixture fixture(1);
        HumanPlayer& human = fixture.human();
        AIPlayer& orc = fixture.orc(0);
        fixture.frames(1);
        fixture.place(orc.node, human.node->getPosition() + irr::core::vector3df(apart, 0, 0));
        human.dashing = humanDashes;
        orc.dashing = orcDashes;
        fixture.frames(1);
        SCOPED_TRACE(testing::Message() << apart << " apart, dragon dashing " << humanDashes);
        EXPECT_EQ(human.stunned, humanStunned);
        EXPECT_EQ(orc.stunned, orcStunned);
        // A dash that hit is over and cools down; one that missed goes on.
        EXPECT_EQ(human.dashing, humanDashes && !orcStunned);
        EXPECT_EQ(human.coolingDown, orcStunned);
        EXPECT_EQ(human.dashTime == 0.0f, !humanDashes || orcStunned);
    }
}
}  // namespace
