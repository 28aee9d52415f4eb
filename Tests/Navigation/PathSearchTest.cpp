#include "External/AIUnit.h"
#include "NavigationWorldTest.h"
#include "Support/ConsoleCapture.h"

#include <gmock/gmock.h>

using irr::AI::AIPoint;
using irr::AI::AIUnit;
using irr::core::vector3df;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

namespace
{
class PathSearchTest : public NavigationWorldTest
{
protected:
    bool navigate(const vector3df& start, const vector3df& target)
    {
        corners.updates.clear();
        return unit.navigateToPoint(AIPoint(target), &corners, start);
    }

    AIUnit unit{&world};
    Corners corners;
};

MATCHER_P2(IsNearXZ, x, z, "")
{
    return std::abs(arg.X - x) < 0.05f && std::abs(arg.Z - z) < 0.05f;
}

TEST_F(PathSearchTest, APathFromOneArmOfAnLToTheOtherTurnsAtTheInnerCornerWhicheverWayTheFileWinds)
{
    Triangles reversed;
    for (const irr::core::triangle3df& triangle : lCorridor())
        reversed.emplace_back(triangle.pointA, triangle.pointC, triangle.pointB);
    for (const Triangles& floor : {lCorridor(), reversed})
    {
        ASSERT_TRUE(loadFloor(floor));
        const vector3df start(2, 3, 2), target(18, 1, 18);
        ASSERT_TRUE(navigate(start, target));
        ASSERT_EQ(corners.updates.size(), 2u);
        EXPECT_THAT(corners.updates[0].point, IsNearXZ(16.0f, 4.0f));
        EXPECT_EQ(corners.updates[1].point, target);
        EXPECT_FALSE(corners.updates[0].reachedEnd || corners.updates[1].reachedEnd);
        expectLegsOnTheFloor(start, corners.updates);
    }
    // Along one arm the way is clear: one leg, straight to the target.
    ASSERT_TRUE(navigate({1, 3, 1}, {18, 3, 3}));
    ASSERT_EQ(corners.updates.size(), 1u);
    EXPECT_EQ(corners.updates[0].point, vector3df(18, 3, 3));
    // The player walks at height 3; a target at height 1 on its own spot is reached already, and said once.
    ASSERT_TRUE(navigate({18, 3, 18}, {18, 1, 18}));
    ASSERT_EQ(corners.updates.size(), 1u);
    EXPECT_TRUE(corners.updates[0].reachedEnd);
    EXPECT_THAT(corners.updates[0].point, IsNearXZ(18.0f, 18.0f));
}

TEST_F(PathSearchTest, APathGoesAroundAnObstacleAndATargetOffTheFloorMovesToTheNearestPointOnIt)
{
    ASSERT_TRUE(loadFloor(floorWithHole()));
    const vector3df start(-6, 3, 0.5f), target(6, 3, -0.5f);
    ASSERT_TRUE(navigate(start, target));
    ASSERT_GE(corners.updates.size(), 3u);
    EXPECT_EQ(corners.updates.back().point, target);
    expectLegsOnTheFloor(start, corners.updates);

    ASSERT_TRUE(navigate({-6, 3, -6}, {-6, 3, -13}));  // 3 beyond the edge
    ASSERT_FALSE(corners.updates.empty());
    EXPECT_THAT(corners.updates.back().point, IsNearXZ(-6.0f, -10.0f));
    EXPECT_TRUE(mesh().isPointInsideNavigationMesh(corners.updates.back().point));
    ASSERT_TRUE(navigate({-6, 3, 0}, {-1, 3, 0}));  // inside the obstacle
    ASSERT_FALSE(corners.updates.empty());
    EXPECT_THAT(corners.updates.back().point, IsNearXZ(-2.0f, 0.0f));
}

TEST_F(PathSearchTest, WithoutAPathThereIsNoCallAndNoLogLine)
{
    ConsoleCapture console;
    EXPECT_FALSE(navigate({0, 3, 0}, {5, 3, 5}));  // no floor yet
    ASSERT_TRUE(loadFloor(joined({floorRectangle(0, 0, 10, 10), floorRectangle(30, 0, 40, 10)})));
    // Computer players ask every few frames: a hundred failures stay silent.
    int pathsFound = 0;
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        pathsFound += navigate({5, 3, 5}, {35, 3, 5});       // floor cut off from the start
        pathsFound += navigate({5, 3, 5}, {1000, 3, 1000});  // far outside the arena
        pathsFound += navigate({-1000, 3, 5}, {5, 3, 5});    // starting far outside
        pathsFound += navigate({5, 3, 5}, {5, -100000, 5});  // far below
    }
    const std::vector<std::string> lines = console.reportLines();
    EXPECT_EQ(pathsFound, 0);
    EXPECT_THAT(corners.updates, IsEmpty());
    EXPECT_THAT(lines, IsEmpty());
}

TEST_F(PathSearchTest, AUnitWithoutAWorldOrAReceiverFindsNothingAndIsReportedOnce)
{
    ASSERT_TRUE(loadFloor(lCorridor()));
    ConsoleCapture console;
    AIUnit homeless(nullptr);
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        EXPECT_FALSE(homeless.navigateToPoint(AIPoint({18, 3, 18}), &corners, {2, 3, 2}));
        EXPECT_FALSE(unit.navigateToPoint(AIPoint({18, 3, 18}), nullptr, {2, 3, 2}));
    }
    EXPECT_THAT(console.reportLines(), ElementsAre(StartsWith("WARNING: "), StartsWith("WARNING: ")));
    EXPECT_THAT(corners.updates, IsEmpty());
}

// A receiver that asks for a new path from inside its callback, as a state change might.
class ReplanningReceiver : public irr::AI::IAIUnitUpdateReceiver
{
public:
    ReplanningReceiver(AIUnit& unit, irr::AI::IAIUnitUpdateReceiver& inner) : unit(unit), inner(inner) {}
    void onUnitUpdate(AIPoint* point, bool reachedEnd) override
    {
        points.push_back(point->getPosition());
        if (!reachedEnd && points.size() == 1)
            unit.navigateToPoint(AIPoint({2, 3, 2}), &inner, {18, 3, 18});
    }
    AIUnit& unit;
    irr::AI::IAIUnitUpdateReceiver& inner;
    std::vector<vector3df> points;
};

TEST_F(PathSearchTest, AReceiverMayAskForAnotherPathDuringTheCallback)
{
    ASSERT_TRUE(loadFloor(lCorridor()));
    ReplanningReceiver replanning(unit, corners);
    ASSERT_TRUE(unit.navigateToPoint(AIPoint({18, 1, 18}), &replanning, {2, 3, 2}));
    ASSERT_EQ(replanning.points.size(), 2u);
    EXPECT_EQ(replanning.points[1], vector3df(18, 1, 18));
    ASSERT_EQ(corners.updates.size(), 2u);
    EXPECT_EQ(corners.updates[1].point, vector3df(2, 3, 2));
}
}  // namespace
