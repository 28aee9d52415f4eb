#include "External/AIUnit.h"
#include "NavigationWorldTest.h"
#include "Support/ConsoleCapture.h"

#include <gmock/gmock.h>

using irr::AI::AIPoint;
using irr::AI::AIUnit;
using irr::core::vector3df;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::StartsWith;

namespace
{
class PathSearchTest : public NavigationWorldTest
{
protected:
    AIUnit unit{&world};
    Corners corners;
};

TEST_F(PathSearchTest, WithoutAPathThereIsNoCallAndNoLogLineAndWithoutAWorldOrReceiverOneWarningEach)
{
    ConsoleCapture console;
    EXPECT_FALSE(unit.navigateToPoint(AIPoint({5, 3, 5}), &corners, {0, 3, 0}));  // no floor yet
    ASSERT_TRUE(loadFloor(joined({floorRectangle(0, 0, 10, 10), floorRectangle(30, 0, 40, 10)})));
    AIUnit homeless(nullptr);
    // Computer players ask every few frames: a hundred failures stay silent.
    int pathsFound = 0;
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        pathsFound += unit.navigateToPoint(AIPoint({35, 3, 5}), &corners, {5, 3, 5});       // floor cut off
        pathsFound += unit.navigateToPoint(AIPoint({1000, 3, 1000}), &corners, {5, 3, 5});  // far outside
        pathsFound += unit.navigateToPoint(AIPoint({5, -100000, 5}), &corners, {5, 3, 5});  // far below
        pathsFound += homeless.navigateToPoint(AIPoint({8, 3, 8}), &corners, {2, 3, 2});
        pathsFound += unit.navigateToPoint(AIPoint({8, 3, 8}), nullptr, {2, 3, 2});
    }
    EXPECT_EQ(pathsFound, 0);
    EXPECT_THAT(corners.updates, IsEmpty());
    EXPECT_THAT(console.reportLines(), ElementsAre(StartsWith("WARNING: "), StartsWith("WARNING: ")));
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
            unit.navigateToPoint(AIPoint({-6, 3, -6}), &inner, {6, 3, 6});
    }
    AIUnit& unit;
    irr::AI::IAIUnitUpdateReceiver& inner;
    std::vector<vector3df> points;
};

TEST_F(PathSearchTest, AReceiverMayAskForAnotherPathDuringTheCallback)
{
    ASSERT_TRUE(loadFloor(floorWithHole()));
    ReplanningReceiver replanning(unit, corners);
    ASSERT_TRUE(unit.navigateToPoint(AIPoint({6, 1, -0.5f}), &replanning, {-6, 3, 0.5f}));
    ASSERT_GE(replanning.points.size(), 3u);
    EXPECT_EQ(replanning.points.back(), vector3df(6, 1, -0.5f));
    ASSERT_FALSE(corners.updates.empty());
    EXPECT_EQ(corners.updates.back().point, vector3df(-6, 3, -6));
}
}  // namespace
