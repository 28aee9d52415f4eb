#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "EntityMatch.h"

#include <algorithm>
#include <tuple>

namespace
{
using irr::core::vector3df;
using CampTest = EntityMatch;

// At 16 ms a frame a ring moves 0.016 per unit and its core 0.0032, unless it is within 0.3 of its target;
// it grows only while below its full radius. From 0.5, the offsets 0.3 are exact in floats.
TEST_F(CampTest, RingsMoveEachFrameByTheUnitCountOutsideTheDeadBand)
{
    ASSERT_TRUE(start());
    Camp& camp = *foundCamp(human(), {0, 2, 0}, 1);
    const std::tuple<int, float, float, float> moves[] = {
        {0, 9, 50, 0},     {1, 9, 50, 0.016f}, {12, 9, 50, 0.192f},   {6, 9, 0.5f, 0},
        {6, 0.29f, 50, 0}, {6, -0.29f, 50, 0}, {6, 0.3f, 50, 0.096f}, {6, -0.3f, 50, -0.096f}};
    for (const auto& [units, offset, full, step] : moves)
    {
        camp.unitCount = static_cast<irr::u16>(units);
        camp.ring->radius = 0.5f;
        camp.coreRing->radius = 4;
        camp.fullRadius = full;
        camp.targetRadius = 0.5f + offset;
        fixture->frames(1);
        EXPECT_NEAR(camp.ring->radius, 0.5f + step, 1e-5) << units << " units, " << offset << " off";
        EXPECT_NEAR(camp.coreRing->radius, 4 + step / 5, 1e-5) << units << " units, " << offset << " off";
    }
}

TEST_F(CampTest, ACampAboveFiveUnitsLosesOneEveryThreeSeconds)
{
    ASSERT_TRUE(start());
    Camp& camp = *foundCamp(human(), {0, 2, 0}, 12);
    for (int second = 1; second <= 27; ++second)
    {
        fixture->frames(1, 1000);
        ASSERT_EQ(camp.unitCount, std::max(5, 12 - second / 3)) << "after " << second << " s";
    }
}

// Only the level bounds a ring: not the world origin, nor the dragon at its centre, whose model carries a
// selector once an orc collides with it.
TEST_F(CampTest, TheRingFitsTheLevelsWallsAndGrowsToThem)
{
    for (const auto& [where, orcs, least, most] :
         std::initializer_list<std::tuple<vector3df, int, float, float>>{
             {{0, 2, 30}, 0, 11.1f, 11.3f}, {{0, 2, 10}, 0, 15, 50}, {{0, 2, 0}, 1, 20, 50}})
    {
        ASSERT_TRUE(start(orcs));
        EXPECT_EQ(human().node->getTriangleSelector() != nullptr, orcs > 0);
        const Camp& camp = *foundCamp(human(), where, 6);
        EXPECT_TRUE(camp.fullRadius >= least && camp.fullRadius <= most)
            << camp.fullRadius << " at z " << where.Z;
        fixture->frames(100);
        EXPECT_NEAR(camp.ring->radius, std::min(5.0f + 100 * 0.096f, camp.fullRadius), 0.3f) << where.Z;
    }
}
}  // namespace
