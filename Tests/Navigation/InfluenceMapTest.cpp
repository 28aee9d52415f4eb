#include "External/AIInfluenceMap.h"
#include "FloorMeshes.h"
#include "Support/ConsoleCapture.h"

#include <cmath>
#include <gmock/gmock.h>

using irr::AI::AIInfluenceMap;
using irr::AI::AIInfluenceMapInit;
using irr::core::vector3df;
using ::testing::ElementsAre;
using ::testing::FloatNear;
using ::testing::IsEmpty;
using ::testing::StartsWith;

namespace
{
constexpr int tiles = 21;
constexpr float decay = 0.9f;  // the map's own until told otherwise, with momentum 1, confined to the floor

// A floor of 21 by 21 units under a map of 21 by 21 tiles: tile (column, row) spans x column..column + 1
// and z row..row + 1.
class InfluenceMapTest : public ::testing::Test
{
protected:
    static AIInfluenceMapInit gridOver(const Triangles& floor)
    {
        return AIInfluenceMap::createMapFromMesh(meshOf(floor).get(), tiles, tiles);
    }
    static float at(const AIInfluenceMap& map, int column, int row)
    {
        return map.getInfluenceAtIndex(row * tiles + column);
    }
    static void stamp(AIInfluenceMap& map, int column, int row, float value = 1.0f, bool accumulate = false)
    {
        vector3df position(column + 0.5f, 3.0f, row + 0.5f);
        map.setInfluence(value, &position, accumulate);
    }

    AIInfluenceMapInit openFloor = gridOver(floorRectangle(0, 0, tiles, tiles));
};

TEST_F(InfluenceMapTest, WhatNoGridCanBeMadeOfGivesAnEmptyMapWithOneWarningAndEmptyMapsDoNothing)
{
    const MeshPointer floor = meshOf(floorRectangle(0, 0, tiles, tiles));
    const MeshPointer wall = meshOf({{vector3df(0, 0, 0), vector3df(0, 3, 0), vector3df(5, 0, 0)}});
    const MeshPointer nothing = meshOf({});
    AIInfluenceMapInit broken = openFloor;
    broken.walkableTiles.resize(10);
    ConsoleCapture console;
    std::vector<AIInfluenceMap> maps{
        AIInfluenceMap(AIInfluenceMap::createMapFromMesh(nullptr, tiles, tiles)),
        AIInfluenceMap(AIInfluenceMap::createMapFromMesh(floor.get(), 0, tiles)),
        AIInfluenceMap(AIInfluenceMap::createMapFromMesh(floor.get(), tiles, -3)),
        AIInfluenceMap(AIInfluenceMap::createMapFromMesh(floor.get(), 1 << 20, 1 << 20)),
        AIInfluenceMap(AIInfluenceMap::createMapFromMesh(wall.get(), tiles, tiles)),
        AIInfluenceMap(AIInfluenceMap::createMapFromMesh(nothing.get(), tiles, tiles)),
        AIInfluenceMap(broken)};
    const std::vector<std::string> lines = console.reportLines();
    ASSERT_EQ(lines.size(), maps.size());
    for (const std::string& line : lines)
        EXPECT_THAT(line, StartsWith("WARNING: "));

    ConsoleCapture play;
    for (AIInfluenceMap& map : maps)
    {
        map.fillWithDistances();
        map.setInfluenceSettings(0.9f, 1.0f, true);
        for (int update = 0; update < 10; ++update)
        {
            map.propagate();
            stamp(map, 0, 0);
        }
        EXPECT_EQ(map.getDataSize() + map.getWidthInTiles() + map.getHeightInTiles(), 0.0f);
    }
    EXPECT_THAT(play.reportLines(), IsEmpty());
}

TEST_F(InfluenceMapTest, AStampSpreadsOneTileFurtherEachPropagationFadingByTheDecayForEachTileAndUpdate)
{
    AIInfluenceMap map(openFloor);
    stamp(map, 10, 10);
    map.propagate();
    EXPECT_THAT(at(map, 10, 10), FloatNear(decay, 1e-6f));
    for (const auto& [column, row] : {std::pair{11, 10}, {9, 10}, {10, 11}, {10, 9}})
        EXPECT_THAT(at(map, column, row), FloatNear(decay * decay, 1e-6f));
    EXPECT_THAT(at(map, 11, 11), FloatNear(decay * std::pow(decay, std::sqrt(2.0f)), 1e-5f));
    EXPECT_EQ(at(map, 12, 10), 0.0f);
    map.propagate();
    for (int away = 0; away < 3; ++away)
        EXPECT_THAT(at(map, 10 + away, 10), FloatNear(std::pow(decay, 2.0f + away), 1e-6f)) << away;
    EXPECT_EQ(at(map, 13, 10), 0.0f);

    // Without momentum a tile keeps nothing of its own: the stamp leaves its tile.
    AIInfluenceMap restless(openFloor);
    restless.setInfluenceSettings(decay, 0.0f, true);
    stamp(restless, 10, 10);
    restless.propagate();
    EXPECT_EQ(at(restless, 10, 10), 0.0f);
    EXPECT_THAT(at(restless, 11, 10), FloatNear(decay * decay, 1e-6f));
}

TEST_F(InfluenceMapTest, WhereAPlayerStaysTheMapHoldsStillAndTheTrailBehindItFadesToZero)
{
    AIInfluenceMap map(openFloor);
    for (int update = 0; update < 40; ++update)
    {
        map.propagate();
        stamp(map, update < 30 ? 5 : 15, update < 30 ? 5 : 15);
        if (update == 29)
        {
            EXPECT_EQ(at(map, 5, 5), 1.0f);
            EXPECT_THAT(at(map, 6, 5), FloatNear(decay * decay, 1e-6f));
        }
    }
    // The player walked off ten updates ago: what it left behind lost a tenth per update.
    EXPECT_THAT(at(map, 5, 5), FloatNear(std::pow(decay, 10.0f), 1e-5f));
    EXPECT_GT(at(map, 5, 5), at(map, 3, 5));
    // Long after, the faded trail is zero rather than a subnormal float, which would slow propagation.
    for (int update = 0; update < 900; ++update)
        map.propagate();
    for (int tile = 0; tile < map.getDataSize(); ++tile)
        ASSERT_NE(std::fpclassify(map.getInfluenceAtIndex(tile)), FP_SUBNORMAL) << tile;
}

TEST_F(InfluenceMapTest, ConfinedInfluenceFlowsOutOfAGapInTheFloorButNotAcrossIt)
{
    // Column 10 (x 10..11) has no floor.
    const AIInfluenceMapInit split =
        gridOver(joined({floorRectangle(0, 0, 10, tiles), floorRectangle(11, 0, tiles, tiles)}));
    AIInfluenceMap confined(split), free(split), fromTheGap(split);
    free.setInfluenceSettings(decay, 1.0f, false);
    for (AIInfluenceMap* map : {&confined, &free})
    {
        stamp(*map, 9, 10);
        for (int update = 0; update < 3; ++update)
            map->propagate();
    }
    EXPECT_TRUE(at(confined, 10, 10) == 0.0f && at(confined, 11, 10) == 0.0f && at(confined, 8, 10) > 0.0f);
    EXPECT_GT(at(free, 11, 10), 0.0f);
    stamp(fromTheGap, 10, 10);
    fromTheGap.propagate();
    EXPECT_THAT(at(fromTheGap, 9, 10), FloatNear(decay * decay, 1e-6f));
    EXPECT_THAT(at(fromTheGap, 11, 10), FloatNear(decay * decay, 1e-6f));
}

TEST_F(InfluenceMapTest, StampsSetOrAddWhileStampsAndReadsOffTheMapAreIgnoredWithAWarningEach)
{
    AIInfluenceMap map(openFloor);
    ASSERT_EQ(map.getDataSize(), tiles * tiles);
    EXPECT_TRUE(map.getWidthInTiles() == 21.0f && map.getHeightInTiles() == 21.0f);
    EXPECT_EQ(map.getTileIndexAt({21, 0, 21}), tiles * tiles - 1);  // the far edge belongs to the last tile
    for (const vector3df& outside : {vector3df(21.01f, 0, 5), vector3df(5, 0, -0.01f), vector3df(NAN, 0, 5)})
        EXPECT_EQ(map.getTileIndexAt(outside), -1);
    stamp(map, 4, 4, 0.5f, true);
    stamp(map, 4, 4, 0.5f, true);
    EXPECT_EQ(at(map, 4, 4), 1.0f);
    stamp(map, 4, 4, 0.25f, false);
    EXPECT_EQ(at(map, 4, 4), 0.25f);

    ConsoleCapture console;
    vector3df outside(-5, 3, 10), farAway(1e9f, 3, 1e9f);
    for (int update = 0; update < 10; ++update)
    {
        map.setInfluence(1.0f, &outside, false);
        map.setInfluence(1.0f, &farAway, true);
        map.setInfluence(1.0f, nullptr, false);
        stamp(map, 4, 4, NAN);
        map.getInfluenceAtIndex(-1);
        EXPECT_EQ(map.getInfluenceAtIndex(tiles * tiles), 0.0f);
    }
    EXPECT_THAT(console.reportLines(), ElementsAre(StartsWith("WARNING: "), StartsWith("WARNING: ")));
    float total = 0.0f;
    for (int tile = 0; tile < map.getDataSize(); ++tile)
        total += map.getInfluenceAtIndex(tile);
    EXPECT_EQ(total, 0.25f);
}

TEST_F(InfluenceMapTest, SettingsOutsideTheirRangeAreBroughtIntoItSoNothingGrowsWithoutBound)
{
    AIInfluenceMap map(openFloor);
    ConsoleCapture console;
    map.setInfluenceSettings(1.5f, 7.0f, true);
    EXPECT_EQ(console.reportLines().size(), 2u);
    stamp(map, 10, 10);
    for (int update = 0; update < 100; ++update)
        map.propagate();
    for (int tile = 0; tile < map.getDataSize(); ++tile)
        ASSERT_LE(map.getInfluenceAtIndex(tile), 1.0f);
    EXPECT_EQ(at(map, 0, 0), 1.0f);  // decay 1: nothing fades
}

TEST_F(InfluenceMapTest, DistancesGrowEvenlyFromTheEdgesOfTheFloorAndOfItsHolesToOne)
{
    AIInfluenceMap open(openFloor);
    open.fillWithDistances();
    EXPECT_EQ(at(open, 10, 10), 1.0f);
    for (int column = 0; column < 10; ++column)
    {
        EXPECT_LT(at(open, column, 10), at(open, column + 1, 10)) << column;
        EXPECT_TRUE(at(open, column, 10) == at(open, 20 - column, 10) &&
                    at(open, column, 10) == at(open, 10, column));
    }
    EXPECT_GT(at(open, 0, 0), 0.0f);
    // Beside an obstacle the way off the floor is short too: floorWithHole spans -10..10, its hole -2..2.
    AIInfluenceMap holed(gridOver(floorWithHole()));
    holed.fillWithDistances();
    const auto alongX = [&holed](float x) {
        return holed.getInfluenceAtIndex(holed.getTileIndexAt({x, 0, 0}));
    };
    EXPECT_EQ(alongX(0), 0.0f);
    EXPECT_TRUE(alongX(3) < alongX(6) && alongX(6) > alongX(9.5f));
}
}  // namespace
