#include "External/AIUnit.h"
#include "NavigationWorldTest.h"
#include "RecordingReceiver.h"
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
using Update = RecordingReceiver::Update;

class PathSearchTest : public NavigationWorldTest
{
protected:
    bool navigate(const vector3df& start, const vector3df& target)
    {
        receiver.updates.clear();
        return unit.navigateToPoint(AIPoint(target), &receiver, start);
    }

    AIUnit unit{&world};
    RecordingReceiver receiver;
};

MATCHER_P2(IsNearXZ, x, z, "")
{
    return std::abs(arg.X - x) < 0.05f && std::abs(arg.Z - z) < 0.05f;
}

TEST_F(PathSearchTest, APathFromOneArmOfAnLToTheOtherTurnsAtTheInnerCorner)
{
    ASSERT_TRUE(loadFloor(lCorridor()));
    const vector3df start(2, 3, 2), target(18, 1, 18);
    ASSERT_TRUE(navigate(start, target));

    ASSERT_EQ(receiver.updates.size(), 2u);
    EXPECT_THAT(receiver.updates[0].point, IsNearXZ(16.0f, 4.0f));
    EXPECT_EQ(receiver.updates[1].point, target);
    EXPECT_FALSE(receiver.updates[0].reachedEnd);
    EXPECT_FALSE(receiver.updates[1].reachedEnd);
    expectLegsOnTheFloor(start, receiver.updates);

    // Along one arm the way is clear: one leg, straight to the target.
    ASSERT_TRUE(navigate({1, 3, 1}, {18, 3, 3}));
    ASSERT_EQ(receiver.updates.size(), 1u);
    EXPECT_EQ(receiver.updates[0].point, vector3df(18, 3, 3));
}

TEST_F(PathSearchTest, TheWindingOfTheFileDoesNotChangeThePath)
{
    ASSERT_TRUE(loadFloor(reversedWinding(lCorridor())));
    const vector3df start(2, 3, 2), target(18, 1, 18);
    ASSERT_TRUE(navigate(start, target));
    ASSERT_EQ(receiver.updates.size(), 2u);
    EXPECT_THAT(receiver.updates[0].point, IsNearXZ(16.0f, 4.0f));
    expectLegsOnTheFloor(start, receiver.updates);
}

TEST_F(PathSearchTest, APathGoesAroundAnObstacle)
{
    ASSERT_TRUE(loadFloor(floorWithHole()));
    const vector3df start(-6, 3, 0.5f), target(6, 3, -0.5f);
    ASSERT_TRUE(navigate(start, target));
    ASSERT_GE(receiver.updates.size(), 3u);
    EXPECT_EQ(receiver.updates.back().point, target);
    expectLegsOnTheFloor(start, receiver.updates);
}

TEST_F(PathSearchTest, AtTheTargetAlreadyTheReceiverHearsOnceThatTheEndIsReached)
{
    ASSERT_TRUE(loadFloor(lCorridor()));
    // The player walks at height 3; the target is a unit at height 1 on the same spot.
    ASSERT_TRUE(navigate({18, 3, 18}, {18, 1, 18}));
    ASSERT_EQ(receiver.updates.size(), 1u);
    EXPECT_TRUE(receiver.updates[0].reachedEnd);
    EXPECT_THAT(receiver.updates[0].point, IsNearXZ(18.0f, 18.0f));
}

TEST_F(PathSearchTest, ATargetOffTheFloorIsMovedToTheNearestPointOnIt)
{
    ASSERT_TRUE(loadFloor(floorWithHole()));
    ASSERT_TRUE(navigate({-6, 3, -6}, {-6, 3, -13}));  // 3 beyond the edge
    ASSERT_FALSE(receiver.updates.empty());
    EXPECT_THAT(receiver.updates.back().point, IsNearXZ(-6.0f, -10.0f));
    EXPECT_TRUE(mesh().isPointInsideNavigationMesh(receiver.updates.back().point));

    ASSERT_TRUE(navigate({-6, 3, 0}, {-1, 3, 0}));  // inside the obstacle
    ASSERT_FALSE(receiver.updates.empty());
    EXPECT_THAT(receiver.updates.back().point, IsNearXZ(-2.0f, 0.0f));
}

TEST_F(PathSearchTest, WithoutAPathThereIsNoCallAndNoLogLine)
{
    ASSERT_TRUE(loadFloor(joined({floorRectangle(0, 0, 10, 10), floorRectangle(30, 0, 40, 10)})));
    ConsoleCapture console;
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
    EXPECT_THAT(receiver.updates, IsEmpty());
    EXPECT_THAT(lines, IsEmpty());
}

TEST_F(PathSearchTest, WithoutAFloorThereIsNoPathAndNoLogLine)
{
    ConsoleCapture console;
    EXPECT_FALSE(navigate({0, 3, 0}, {5, 3, 5}));
    AIUnit homeless(nullptr);
    EXPECT_FALSE(homeless.navigateToPoint(AIPoint({5, 3, 5}), &receiver, {0, 3, 0}));
    EXPECT_THAT(receiver.updates, IsEmpty());
    // Only the unit made without a world says so, once, when it is made.
    EXPECT_THAT(console.reportLines(), ElementsAre(StartsWith("WARNING: ")));
}

TEST_F(PathSearchTest, ANullReceiverFindsNothingAndIsReportedOnce)
{
    ASSERT_TRUE(loadFloor(lCorridor()));
    ConsoleCapture console;
    EXPECT_FALSE(unit.navigateToPoint(AIPoint({18, 3, 18}), nullptr, {2, 3, 2}));
    EXPECT_FALSE(unit.navigateToPoint(AIPoint({18, 3, 18}), nullptr, {2, 3, 2}));
    EXPECT_THAT(console.reportLines(), ElementsAre(StartsWith("WARNING: ")));
}

// A receiver that asks for a new path from inside its callback, as a state change might.
class ReplanningReceiver : public irr::AI::IAIUnitUpdateReceiver
{
public:
    ReplanningReceiver(AIUnit& unit, RecordingReceiver& inner) : unit(unit), inner(inner) {}
    void onUnitUpdate(AIPoint* point, bool reachedEnd) override
    {
        points.push_back(point->getPosition());
        if (!reachedEnd && points.size() == 1)
            unit.navigateToPoint(AIPoint({2, 3, 2}), &inner, {18, 3, 18});
    }
    AIUnit& unit;
    RecordingReceiver& inner;
    std::vector<vector3df> points;
};

TEST_F(PathSearchTest, AReceiverMayAskForAnotherPathDuringTheCallback)
{
    ASSERT_TRUE(loadFloor(lCorridor()));
    ReplanningReceiver replanning(unit, receiver);
    ASSERT_TRUE(unit.navigateToPoint(AIPoint({18, 1, 18}), &replanning, {2, 3, 2}));
    ASSERT_EQ(replanning.points.size(), 2u);
    EXPECT_EQ(replanning.points[1], vector3df(18, 1, 18));
    ASSERT_EQ(receiver.updates.size(), 2u);
    EXPECT_EQ(receiver.updates[1].point, vector3df(2, 3, 2));
}
}  // namespace
