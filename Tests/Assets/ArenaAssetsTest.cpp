#include "AssetEngine.h"
#include "Scenes/GameScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

using irr::core::triangle3df;
using irr::core::vector3df;

namespace
{
// Where the human player and the four computer players of a match start.
const std::vector<irr::core::vector2df> startSpots = {{0, 0}, {-30, -30}, {-30, 30}, {30, -30}, {30, 30}};
const vector3df towardTheWalls[] = {{1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}};

bool isFloor(const triangle3df& triangle)
{
    return triangle.pointA.Y == 0.0f && triangle.pointB.Y == 0.0f && triangle.pointC.Y == 0.0f;
}

// Whether (x, z) lies on one of the triangles seen from above.
bool onAnyTriangle(const std::vector<triangle3df>& triangles, float x, float z)
{
    const auto side = [x, z](const vector3df& a, const vector3df& b)
    { return (b.X - a.X) * (z - a.Z) - (b.Z - a.Z) * (x - a.X); };
    return std::any_of(triangles.begin(), triangles.end(),
                       [&](const triangle3df& t)
                       {
                           const float sides[3] = {side(t.pointA, t.pointB), side(t.pointB, t.pointC),
                                                   side(t.pointC, t.pointA)};
                           return std::all_of(sides, sides + 3, [](float s) { return s >= -1e-4f; }) ||
                                  std::all_of(sides, sides + 3, [](float s) { return s <= 1e-4f; });
                       });
}

// The arena as the match loads it, with the collision the players walk on.
class ArenaAssets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        arena = engine.mesh(GameScene::levelMeshPath);
        ASSERT_NE(arena, nullptr);
        irr::scene::IMeshSceneNode* node = engine.scene()->addMeshSceneNode(arena);
        selector = engine.scene()->createOctreeTriangleSelector(arena, node, 128);
        node->setTriangleSelector(selector);
        node->updateAbsolutePosition();
    }
    void TearDown() override
    {
        if (selector)
            selector->drop();
    }

    // Where a ray first meets the arena, and the face it meets; no face: nothing met.
    std::pair<vector3df, triangle3df> hit(const vector3df& from, const vector3df& to) const
    {
        std::pair<vector3df, triangle3df> found{{0, -std::numeric_limits<float>::infinity(), 0}, {}};
        irr::scene::ISceneNode* node = nullptr;
        engine.scene()->getSceneCollisionManager()->getCollisionPoint({from, to}, selector, found.first,
                                                                      found.second, node);
        return found;
    }
    // Height of whatever a ray straight down at (x, z) meets first; -infinity for nothing.
    float surfaceHeightAt(float x, float z) const { return hit({x, 50, z}, {x, -5, z}).first.Y; }

    // Walks a node with the human player's collision from `start` by `step` until `steps` run out.
    vector3df walkWithHumanCollision(const vector3df& start, const vector3df& step, int steps)
    {
        irr::scene::ISceneNode* walker = engine.scene()->addEmptySceneNode();
        walker->setPosition(start);
        irr::scene::ISceneNodeAnimator* collision = engine.scene()->createCollisionResponseAnimator(
            selector, walker, {1.0f, 1.5f, 1.0f}, {0, 0, 0}, {0, -1, 0}, 0.0005f);
        walker->addAnimator(collision);
        collision->drop();
        walker->OnAnimate(0);
        for (int k = 1; k <= steps; ++k)
        {
            walker->setPosition(walker->getPosition() + step);
            walker->OnAnimate(16 * k);
        }
        const vector3df end = walker->getPosition();
        walker->remove();
        return end;
    }

    AssetEngine engine;
    irr::scene::IAnimatedMesh* arena = nullptr;
    irr::scene::ITriangleSelector* selector = nullptr;
};

TEST_F(ArenaAssets, ArenaIsATexturedSquareOfAHundredUnitsWithItsFloorFacingUpAndItsWallsFacingIn)
{
    const irr::core::aabbox3df box = arena->getBoundingBox();
    EXPECT_FLOAT_EQ(box.MinEdge.Y, 0.0f);
    EXPECT_GT(box.MaxEdge.Y, 5.0f);
    for (float extent : {-box.MinEdge.X, box.MaxEdge.X, -box.MinEdge.Z, box.MaxEdge.Z})
        EXPECT_TRUE(extent >= 50.0f && extent <= 55.0f) << extent;
    EXPECT_FLOAT_EQ(surfaceHeightAt(5.0f, 5.0f), 0.0f);
    const std::vector<triangle3df> triangles = AssetEngine::triangles(arena);
    ASSERT_GT(std::count_if(triangles.begin(), triangles.end(), isFloor), 0);
    for (const triangle3df& triangle : triangles)
        ASSERT_TRUE(!isFloor(triangle) || triangle.isFrontFacing({0, -1, 0}));
    // A ray from the middle toward each wall meets the wall's front 50 away: what the collision and the
    // ring fitting of camps see.
    for (const vector3df& direction : towardTheWalls)
    {
        const vector3df from(direction.Z * 30.0f, 1.1f, direction.X * 30.0f);
        const auto [point, wall] = hit(from, from + direction * 100.0f);
        EXPECT_NEAR(point.getDistanceFrom(from), 50.0f, 0.01f);
        EXPECT_TRUE(wall.isFrontFacing(direction));
        EXPECT_GT(surfaceHeightAt(direction.X * 51 + direction.Z * 30, direction.Z * 51 + direction.X * 30),
                  5.0f);
    }
    irr::video::IImage* atlas =
        engine.device()->getVideoDriver()->createImageFromFile(GameScene::levelTexturePath);
    ASSERT_NE(atlas, nullptr);
    EXPECT_GE(std::min(atlas->getDimension().Width, atlas->getDimension().Height), 512u);
    atlas->drop();
    for (irr::u32 b = 0; b < arena->getMeshBufferCount(); ++b)
        EXPECT_NE(arena->getMeshBuffer(b)->getMaterial().getTexture(0), nullptr) << "buffer " << b;
    AssetEngine::expectTextureCoordinatesInside(arena);
}

TEST_F(ArenaAssets, TheHumanPlayerWalksTheOpenFloorButNotThroughWallsOrObstaclesAndStartsInTheOpen)
{
    // Open ground: the walk is not held up, and the floor does not lift the player.
    const vector3df open = walkWithHumanCollision({0, 2, 0}, {0, 0, 0.25f}, 40);
    EXPECT_NEAR(open.Z, 10.0f, 0.05f);
    EXPECT_NEAR(open.Y, 2.0f, 0.05f);
    // The outer wall stops it about one collision radius before the wall's face; so do a pillar and a low
    // ruin.
    const std::pair<float, float> stops[] = {{30, 48}, {20, 14}, {0, 36}};
    for (const auto& [z, leastX] : stops)
    {
        const float stop = walkWithHumanCollision({0, 2, z}, {0.25f, 0, 0}, 400).X;
        EXPECT_GT(stop, leastX) << "stopped short at z " << z;
        EXPECT_LT(stop, z == 30 ? 50.0f : 45.0f) << "walked through at z " << z;
    }
    // Nothing stands within 8 units of a start spot: room to walk and found a camp.
    for (const triangle3df& triangle : AssetEngine::triangles(arena))
        for (const irr::core::vector2df& spot : startSpots)
            if (!isFloor(triangle))
            {
                const vector3df closest = triangle.closestPointOnTriangle({spot.X, 2.0f, spot.Y});
                ASSERT_GT(irr::core::vector2df(closest.X, closest.Z).getDistanceFrom(spot), 8.0f)
                    << "an obstacle near the start spot " << spot.X << ", " << spot.Y;
            }
}

TEST_F(ArenaAssets, NavigationMeshCoversTheOpenFloorAndKeepsClearOfObstacles)
{
    irr::scene::IAnimatedMesh* navigation = engine.mesh(GameScene::navigationMeshPath);
    ASSERT_NE(navigation, nullptr);
    ASSERT_EQ(navigation->getMeshBufferCount(), 1u);
    const std::vector<triangle3df> walkable = AssetEngine::triangles(navigation);
    ASSERT_FALSE(walkable.empty());
    for (const triangle3df& triangle : walkable)
        ASSERT_TRUE(isFloor(triangle) && triangle.isFrontFacing({0, -1, 0}));
    // Every walkable point has open floor under it and one collision radius around it, and nearly all of
    // the open floor away from walls and obstacles is walkable.
    int openFloor = 0;
    int openFloorWalkable = 0;
    for (float x = -49.25f; x < 50.0f; x += 1.0f)
        for (float z = -49.25f; z < 50.0f; z += 1.0f)
        {
            const bool onNavigation = onAnyTriangle(walkable, x, z);
            bool clear = true;
            for (int around = 0; around < 9; ++around)
                clear = clear && surfaceHeightAt(x + around % 3 - 1, z + around / 3 - 1) == 0.0f;
            ASSERT_TRUE(clear || !onNavigation)
                << "walkable point " << x << ", " << z << " next to an obstacle";
            if (clear && std::fabs(x) < 48.0f && std::fabs(z) < 48.0f)
            {
                ++openFloor;
                openFloorWalkable += onNavigation ? 1 : 0;
            }
        }
    EXPECT_GT(openFloorWalkable, openFloor * 9 / 10);
}

TEST_F(ArenaAssets, UnitSpotsStandApartOnOpenFloorInEveryQuarter)
{
    irr::scene::IAnimatedMesh* spots = engine.mesh(GameScene::unitSpotMeshPath);
    ASSERT_NE(spots, nullptr);
    const std::vector<vector3df> points = AssetEngine::positions(spots->getMeshBuffer(0));
    // Two unused vertices, then one per spot.
    ASSERT_GE(points.size(), 2u + 40u);
    ASSERT_LE(points.size(), 2u + 60u);
    int quarters[4] = {0, 0, 0, 0};
    for (std::size_t k = 0; k < points.size(); ++k)
    {
        const vector3df& spot = points[k];
        // Even the unused two are valid places, in case a respawn draws them.
        EXPECT_FLOAT_EQ(spot.Y, 1.0f);
        EXPECT_EQ(surfaceHeightAt(spot.X, spot.Z), 0.0f) << "spot " << k << " is not on open floor";
        for (std::size_t other = 0; other < k; ++other)
            EXPECT_GT(
                irr::core::vector2df(spot.X, spot.Z).getDistanceFrom({points[other].X, points[other].Z}),
                3.0f);
        quarters[(spot.X > 0 ? 1 : 0) + (spot.Z > 0 ? 2 : 0)] += k >= 2 ? 1 : 0;
    }
    for (int count : quarters)
        EXPECT_GE(count, 8);
}
}  // namespace
