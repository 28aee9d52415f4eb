#include "External/AIInfluenceMap.h"
#include "External/AIUnit.h"
#include "NavigationWorldTest.h"
#include "Scenes/GameScene.h"

using irr::AI::AIInfluenceMap;
using irr::core::vector3df;

namespace
{
// Where the human player and the four computer players start.
const std::vector<vector3df> startSpots{{0, 3, 0}, {-30, 3, -30}, {-30, 3, 30}, {30, 3, -30}, {30, 3, 30}};

// The generated arena, loaded through Irrlicht as the match loads it.
class ArenaNavigationTest : public NavigationWorldTest
{
protected:
    void SetUp() override
    {
        NavigationWorldTest::SetUp();
        ASSERT_TRUE(loadFile(GameScene::navigationMeshPath));
    }

    // Every straight leg from the start through the delivered corners stays on the floor.
    void expectLegsOnTheFloor(vector3df from, const std::vector<Corners::Update>& updates)
    {
        for (const Corners::Update& update : updates)
        {
            const int samples = static_cast<int>(from.getDistanceFrom(update.point) / 0.1f) + 1;
            for (int sample = 0; sample <= samples; ++sample)
            {
                const vector3df onLeg = from + (update.point - from) * (static_cast<float>(sample) / samples);
                ASSERT_TRUE(mesh().isPointInsideNavigationMesh({onLeg.X, 1.0f, onLeg.Z}))
                    << "leg to (" << update.point.X << ", " << update.point.Z << ") leaves the floor at ("
                    << onLeg.X << ", " << onLeg.Z << ")";
            }
            from = update.point;
        }
    }
};

TEST_F(ArenaNavigationTest, EverySpotIsOnTheFloorAndPathsBetweenTheStartSpotsArriveOverIt)
{
    irr::scene::IAnimatedMesh* spots = game.device()->getSceneManager()->getMesh(GameScene::unitSpotMeshPath);
    ASSERT_NE(spots, nullptr);
    const irr::scene::IMeshBuffer* buffer = spots->getMeshBuffer(0);
    ASSERT_GT(buffer->getVertexCount(), 2u);
    // The first two vertices are no unit spots, but a respawn may draw them.
    for (irr::u32 vertex = 0; vertex < buffer->getVertexCount(); ++vertex)
    {
        const vector3df& spot = buffer->getPosition(vertex);
        EXPECT_TRUE(mesh().isPointInsideNavigationMesh({spot.X, 1.0f, spot.Z})) << spot.X << ", " << spot.Z;
    }

    irr::AI::AIUnit unit(&world);
    for (const vector3df& start : startSpots)
    {
        EXPECT_TRUE(mesh().isPointInsideNavigationMesh(start)) << start.X << ", " << start.Z;
        for (const vector3df& target : startSpots)
        {
            if (start == target)
                continue;
            Corners corners;
            ASSERT_TRUE(unit.navigateToPoint(irr::AI::AIPoint(target), &corners, start));
            ASSERT_FALSE(corners.updates.empty());
            EXPECT_EQ(corners.updates.back().point, target);
            EXPECT_FALSE(corners.updates.back().reachedEnd);
            expectLegsOnTheFloor(start, corners.updates);
        }
    }
}

TEST_F(ArenaNavigationTest, TheDistanceMapIsZeroOffTheFloorAndLargestAwayFromTheWalls)
{
    const irr::AI::AIInfluenceMapInit grid = AIInfluenceMap::createMapFromMesh(
        game.device()->getSceneManager()->getMesh(GameScene::navigationMeshPath), 21, 21);
    AIInfluenceMap map(grid);
    map.fillWithDistances();
    ASSERT_EQ(map.getDataSize(), 21 * 21);
    int tilesOffTheFloor = 0;
    float largest = 0.0f;
    for (int tile = 0; tile < map.getDataSize(); ++tile)
    {
        const irr::core::vector2df centre = grid.tileCentre(tile % 21, tile / 21);
        const bool onFloor = mesh().isPointInsideNavigationMesh({centre.X, 1.0f, centre.Y});
        tilesOffTheFloor += onFloor ? 0 : 1;
        EXPECT_EQ(map.getInfluenceAtIndex(tile) > 0.0f, onFloor) << centre.X << ", " << centre.Y;
        largest = std::max(largest, map.getInfluenceAtIndex(tile));
    }
    EXPECT_GT(tilesOffTheFloor, 0);  // the pillars
    EXPECT_EQ(largest, 1.0f);
    const auto distanceAt = [&map](float x, float z) {
        return map.getInfluenceAtIndex(map.getTileIndexAt({x, 0, z}));
    };
    EXPECT_GT(distanceAt(0, 0), 0.5f);
    EXPECT_GT(distanceAt(0, 0), distanceAt(0, -47));
    EXPECT_GT(distanceAt(-10, 0), distanceAt(-47, 0));
}
}  // namespace
