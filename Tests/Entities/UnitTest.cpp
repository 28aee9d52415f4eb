#include "Entities/Unit.h"
#include "AI/AIPlayer.h"
#include "Entities/HumanPlayer.h"
#include "EntityMatch.h"
#include "External/AIWorld.h"

#include <cmath>
#include <tuple>

namespace
{
using irr::core::vector3df;
using UnitTest = EntityMatch;

// An absorbed unit, though it follows in name, never moves nor joins anyone.
TEST_F(UnitTest, JoinsWithinThreeAndStandsStillWithinOneAndAHalfUnlessAbsorbed)
{
    ASSERT_TRUE(start());
    const std::tuple<float, bool, bool, bool> cases[] = {{3.0f, false, false, true},
                                                         {3.0001f, false, false, false},
                                                         {1.5f, true, false, false},
                                                         {1.5001f, true, false, true},
                                                         {2.0f, true, true, false}};
    for (const auto& [distance, following, absorbed, acts] : cases)
    {
        human().units.clear();
        Unit& unit = fixture->freeUnitAt(0, {distance, 2, 0});
        unit.following = following;
        unit.absorbed = absorbed;
        unit.target = human().node;
        unit.speed = 0.4f;
        unit.update(16, 0);
        EXPECT_NEAR(unit.getPosition().X, following && acts ? distance - 0.4f : distance, 1e-5) << distance;
        EXPECT_EQ(human().units.size(), !following && acts ? 1u : 0u) << distance;
    }
}

TEST_F(UnitTest, EachPickupLeadsTheChainInTheOwnersGlowWithItsSound)
{
    ASSERT_TRUE(start(1));
    const std::vector<Unit*> units = giveUnits(human(), 3);
    EXPECT_TRUE(units[2]->target == human().node && units[1]->target == units[2]->node &&
                units[0]->target == units[1]->node);
    EXPECT_EQ(units[0]->node->getMaterial(0).EmissiveColor, human().color.toSColor());
    EXPECT_EQ(plays(Unit::pickupSoundPath), 3);
    const Unit& orcs = *giveUnits(fixture->orc(0), 1, 3).front();
    const RecordingSoundEngine::PlayCall& heard = fixture->sound->plays.back();
    EXPECT_TRUE(heard.placed && heard.position == orcs.getPosition());
    EXPECT_EQ(orcs.node->getMaterial(0).EmissiveColor, fixture->orc(0).color.toSColor());
}

TEST_F(UnitTest, JoinsOnlyTheFirstPlayerWithinReachTheDragonBeforeTheOrcs)
{
    ASSERT_TRUE(start(2));
    fixture->place(fixture->orc(0).node, {1, 2, 10});
    fixture->place(fixture->orc(1).node, {0, 2, 11});
    fixture->freeUnitAt(0, {0, 2, 10}).update(16, 0);
    fixture->place(fixture->orc(1).node, {1, 2, 0});
    fixture->freeUnitAt(1, {0, 2, 1}).update(16, 0);
    EXPECT_EQ(fixture->orc(0).units, std::vector<Unit*>{fixture->match->units[0].get()});
    EXPECT_EQ(human().units, std::vector<Unit*>{fixture->match->units[1].get()});
    EXPECT_TRUE(fixture->orc(1).units.empty());
}

TEST_F(UnitTest, IsScatteredUpToFifteenTowardLargerXAndZOntoTheFloorOrOutOfPlay)
{
    ASSERT_TRUE(start());
    irr::AI::AINavigationMesh* floor = fixture->match->getAIWorld()->getNavigationMesh();
    fixture->place(human().node, {42, 2, 25});  // By the east wall: some throws land beyond the floor.
    int landed = 0;
    for (int attempt = 0; attempt < 40; ++attempt)
    {
        Unit& unit = *giveUnits(human(), 1).front();
        const vector3df from = unit.getPosition();
        human().units.clear();
        unit.scatter();
        const vector3df to = unit.getPosition();
        for (float step : {to.X - from.X, to.Z - from.Z})
            EXPECT_TRUE(step >= 0 && step <= 15 && step == std::floor(step)) << step;
        const bool onFloor = floor->isPointInsideNavigationMesh({to.X, 1, to.Z});
        EXPECT_EQ(to.Y, onFloor ? 1.0f : -100000.0f);
        EXPECT_TRUE(unit.absorbed == !onFloor && unit.following == !onFloor && unit.target == nullptr);
        EXPECT_EQ(unit.node->getMaterial(0).EmissiveColor, irr::video::SColor(Unit::unownedGlow));
        landed += onFloor ? 1 : 0;
    }
    EXPECT_TRUE(landed > 0 && landed < 40) << landed;
}
}  // namespace
