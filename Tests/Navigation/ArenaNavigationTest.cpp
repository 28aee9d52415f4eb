#include "External/AIInfluenceMap.h"
#include "External/AIUnit.h"
#include "NavigationWorldTest.h"
#include "Scenes/GameScene.h"

#include <gmock/gmock.h>

using irr::AI::AIInfluenceMap;
using irr::AI::AIPoint;
using irr::core::vector3df;

namespace
{
// The files the match reads, by the match's own names for them.
const char* const arenaNavigation = GameScene::navigationMeshPath;
const char* const arenaLevel = GameScene::levelMeshPath;
const char* const arenaUnitSpots = GameScene::unitSpotMeshPath;
// Where the human player and the four computer players start.
const std::vector<vector3df> startSpots{{0, 3, 0}, {-30, 3, -30}, {-30, 3, 30}, {30, 3, -30}, {30, 3, 30}};

// The generated arena, loaded through Irrlicht as the match loads it.
class ArenaNavigationTest : public NavigationWorldTest
{
protected:
    void SetUp() override
    {
        NavigationWorldTest::SetUp();
        ASSERT_TRUE(loadFile(arenaNavigation));
    }

    // Centres of the level's raised, level faces that look up: tops of obstacles and walls.
    std::vector<vector3df> raisedTops()
    {
        irr::scene::IAnimatedMesh* level = sceneManager()->getMesh(arenaLevel);
        std::vector<vector3df> tops;
        if (!level)
            return tops;
        for (irr::u32 bufferIndex = 0; bufferIndex < level->getMeshBufferCount(); ++bufferIndex)
        {
            const irr::scene::IMeshBuffer* buffer = level->getMeshBuffer(bufferIndex);
            for (irr::u32 index = 0; index + 2 < buffer->getIndexCount(); index += 3)
            {
                const irr::core::triangle3df face(buffer->getPosition(buffer->getIndices()[index]),
                                                  buffer->getPosition(buffer->getIndices()[index + 1]),
                                                  buffer->getPosition(buffer->getIndices()[index + 2]));
                const vector3df centre = (face.pointA + face.pointB + face.pointC) / 3.0f;
                if (centre.Y > 0.5f && std::fabs(face.getNormal().normalize().Y) > 0.99f)
                    tops.push_back(centre);
            }
        }
        return tops;
    }
};

TEST_F(ArenaNavigationTest, StartSpotsAndUnitSpotsAreOnTheFloor)
{
    for (const vector3df& spot : startSpots)
        EXPECT_TRUE(mesh().isPointInsideNavigationMesh(spot)) << spot.X << ", " << spot.Z;

    irr::scene::IAnimatedMesh* spots = sceneManager()->getMesh(arenaUnitSpots);
    ASSERT_NE(spots, nullptr);
    const irr::scene::IMeshBuffer* buffer = spots->getMeshBuffer(0);
    ASSERT_GT(buffer->getVertexCount(), 2u);
    // The first two vertices are no unit spots: the game places no units there. The generator puts them on
    // open floor all the same, which the asset tests check.
    for (irr::u32 vertex = 2; vertex < buffer->getVertexCount(); ++vertex)
    {
        const vector3df& spot = buffer->getPosition(vertex);
        EXPECT_TRUE(mesh().isPointInsideNavigationMesh({spot.X, 1.0f, spot.Z})) << spot.X << ", " << spot.Z;
    }
}

TEST_F(ArenaNavigationTest, ObstaclesAndEverythingBeyondTheWallsAreNotFloor)
{
    const std::vector<vector3df> tops = raisedTops();
    ASSERT_FALSE(tops.empty());
    for (const vector3df& top : tops)
        EXPECT_FALSE(mesh().isPointInsideNavigationMesh({top.X, 1.0f, top.Z})) << top.X << ", " << top.Z;
    for (const vector3df& beyond : {vector3df(0, 1, 60), vector3df(-60, 1, 0), vector3df(55, 1, -55)})
        EXPECT_FALSE(mesh().isPointInsideNavigationMesh(beyond)) << beyond.X << ", " << beyond.Z;
}

TEST_F(ArenaNavigationTest, PathsBetweenFarSpotsArriveAtTheTargetOverTheFloor)
{
    irr::AI::AIUnit unit(&world);
    for (const vector3df& start : startSpots)
    {
        for (const vector3df& target : startSpots)
        {
            if (start == target)
                continue;
            RecordingReceiver receiver;
            ASSERT_TRUE(unit.navigateToPoint(AIPoint(target), &receiver, start));
            ASSERT_FALSE(receiver.updates.empty());
            EXPECT_EQ(receiver.updates.back().point, target);
            EXPECT_FALSE(receiver.updates.back().reachedEnd);
            expectLegsOnTheFloor(start, receiver.updates);
        }
    }
}

TEST_F(ArenaNavigationTest, TheDistanceMapIsZeroOffTheFloorAndLargestAwayFromTheWalls)
{
    const irr::AI::AIInfluenceMapInit grid =
        AIInfluenceMap::createMapFromMesh(sceneManager()->getMesh(arenaNavigation), 21, 21);
    AIInfluenceMap map(grid);
    map.fillWithDistances();
    ASSERT_EQ(map.getDataSize(), 21 * 21);
    int tilesOffTheFloor = 0;
    for (int row = 0; row < 21; ++row)
    {
        for (int column = 0; column < 21; ++column)
        {
            const irr::core::vector2df centre = grid.tileCentre(column, row);
            const bool onFloor = mesh().isPointInsideNavigationMesh({centre.X, 1.0f, centre.Y});
            tilesOffTheFloor += onFloor ? 0 : 1;
            EXPECT_EQ(map.getInfluenceAtIndex(row * 21 + column) > 0.0f, onFloor)
                << centre.X << ", " << centre.Y;
        }
    }
    EXPECT_GT(tilesOffTheFloor, 0);  // the pillars
    const auto distanceAt = [&map](float x, float z) {
        return map.getInfluenceAtIndex(map.getTileIndexAt({x, 0, z}));
    };
    float largest = 0.0f;
    for (int tile = 0; tile < map.getDataSize(); ++tile)
        largest = std::max(largest, map.getInfluenceAtIndex(tile));
    EXPECT_EQ(largest, 1.0f);
    EXPECT_GT(distanceAt(0, 0), 0.5f);
    EXPECT_GT(distanceAt(0, 0), distanceAt(0, -47));
    EXPECT_GT(distanceAt(-10, 0), distanceAt(-47, 0));
}
}  // namespace
