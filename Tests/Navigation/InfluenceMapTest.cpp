#include "External/AIInfluenceMap.h"
#include "NavigationWorldTest.h"
#include "Support/ConsoleCapture.h"

#include <gmock/gmock.h>

using irr::AI::AIInfluenceMap;
using irr::AI::AIInfluenceMapInit;
using irr::core::vector3df;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::StartsWith;

namespace
{
// A floor of 21 by 21 units under a map of 21 by 21 tiles: tile (column, row) spans x column..column + 1
// and z row..row + 1.
constexpr int tiles = 21;
const MeshPointer openFloor = meshOf(floorRectangle(0, 0, tiles, tiles));

void stamp(AIInfluenceMap& map, int column, int row, float value = 1.0f, bool accumulate = false)
{
    vector3df position(column + 0.5f, 3.0f, row + 0.5f);
    map.setInfluence(value, &position, accumulate);
}

TEST(InfluenceMapTest, WhatNoGridCanBeMadeOfGivesAnEmptyMapWithOneWarningAndEmptyMapsDoNothing)
{
    const MeshPointer wall = meshOf({{vector3df(0, 0, 0), vector3df(0, 3, 0), vector3df(5, 0, 0)}});
    const MeshPointer nothing = meshOf({});
    AIInfluenceMapInit broken = AIInfluenceMap::createMapFromMesh(openFloor.get(), tiles, tiles);
    broken.walkableTiles.resize(10);
    ConsoleCapture console;
    std::vector<AIInfluenceMap> maps{
        AIInfluenceMap(AIInfluenceMap::createMapFromMesh(nullptr, tiles, tiles)),
        AIInfluenceMap(AIInfluenceMap::createMapFromMesh(openFloor.get(), 0, tiles)),
        AIInfluenceMap(AIInfluenceMap::createMapFromMesh(openFloor.get(), tiles, -3)),
        AIInfluenceMap(AIInfluenceMap::createMapFromMesh(openFloor.get(), 1 << 20, 1 << 20)),
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
        for (int update = 0; update < 10; ++update)
        {
            map.propagate();
            stamp(map, 0, 0);
        }
        EXPECT_EQ(map.getDataSize() + map.getWidthInTiles() + map.getHeightInTiles(), 0.0f);
    }
    EXPECT_THAT(play.reportLines(), IsEmpty());
}

TEST(InfluenceMapTest, StampsSetOrAddWhileStampsAndReadsOffTheMapAreIgnoredWithAWarningEach)
{
    AIInfluenceMap map(AIInfluenceMap::createMapFromMesh(openFloor.get(), tiles, tiles));
    ASSERT_EQ(map.getDataSize(), tiles * tiles);
    EXPECT_EQ(map.getTileIndexAt({21, 0, 21}), tiles * tiles - 1);  // the far edge belongs to the last tile
    for (const vector3df& outside : {vector3df(21.01f, 0, 5), vector3df(5, 0, -0.01f), vector3df(NAN, 0, 5)})
        EXPECT_EQ(map.getTileIndexAt(outside), -1);
    stamp(map, 4, 4, 0.5f, true);
    stamp(map, 4, 4, 0.5f, true);
    EXPECT_EQ(map.getInfluenceAtIndex(4 * tiles + 4), 1.0f);
    stamp(map, 4, 4, 0.25f, false);

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
    float total = 0.0f;
    for (int tile = 0; tile < map.getDataSize(); ++tile)
        total += map.getInfluenceAtIndex(tile);
    EXPECT_EQ(total, 0.25f);
    EXPECT_THAT(console.reportLines(), ElementsAre(StartsWith("WARNING: "), StartsWith("WARNING: ")));
}
}  // namespace
