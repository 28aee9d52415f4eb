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
// The files the match reads, by the match's own names for them.
const char* const arenaPath = GameScene::levelMeshPath;
const char* const navigationPath = GameScene::navigationMeshPath;
const char* const spotsPath = GameScene::unitSpotMeshPath;
const char* const atlasPath = GameScene::levelTexturePath;

// Where the human player and the four computer players of a match start.
const std::vector<irr::core::vector2df> startSpots = {{0, 0}, {-30, -30}, {-30, 30}, {30, -30}, {30, 30}};

bool onTriangleSeenFromAbove(const triangle3df& triangle, float x, float z)
{
    auto side = [](const vector3df& a, const vector3df& b, float px, float pz)
    { return (b.X - a.X) * (pz - a.Z) - (b.Z - a.Z) * (px - a.X); };
    const float d1 = side(triangle.pointA, triangle.pointB, x, z);
    const float d2 = side(triangle.pointB, triangle.pointC, x, z);
    const float d3 = side(triangle.pointC, triangle.pointA, x, z);
    const float slack = 1e-4f;
    return (d1 >= -slack && d2 >= -slack && d3 >= -slack) || (d1 <= slack && d2 <= slack && d3 <= slack);
}

bool onAnyTriangle(const std::vector<triangle3df>& triangles, float x, float z)
{
    return std::any_of(triangles.begin(), triangles.end(),
                       [&](const triangle3df& triangle) { return onTriangleSeenFromAbove(triangle, x, z); });
}

class ArenaAssets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        arena = engine.mesh(arenaPath);
        ASSERT_NE(arena, nullptr);
        node = engine.scene()->addMeshSceneNode(arena);
        selector = engine.scene()->createOctreeTriangleSelector(arena, node, 128);
        node->setTriangleSelector(selector);
        node->updateAbsolutePosition();
    }
    void TearDown() override
    {
        if (selector)
            selector->drop();
    }

    // Height of whatever a ray straight down at (x, z) meets first; -infinity for nothing.
    float surfaceHeightAt(float x, float z) const
    {
        irr::core::line3df ray({x, 50.0f, z}, {x, -5.0f, z});
        vector3df hit;
        triangle3df triangle;
        irr::scene::ISceneNode* found = nullptr;
        if (!engine.scene()->getSceneCollisionManager()->getCollisionPoint(ray, selector, hit, triangle,
                                                                           found))
            return -std::numeric_limits<float>::infinity();
        return hit.Y;
    }

    // Walks a node with the human player's collision from `start` by `step` until it stops moving
    // or `steps` run out; returns where it ended.
    vector3df walkWithHumanCollision(const vector3df& start, const vector3df& step, int steps)
    {
        irr::scene::ISceneNode* walker = engine.scene()->addEmptySceneNode();
        walker->setPosition(start);
        irr::scene::ISceneNodeAnimatorCollisionResponse* collision =
            engine.scene()->createCollisionResponseAnimator(selector, walker, {1.0f, 1.5f, 1.0f},
                                                            {0.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f}, 0.0005f);
        walker->addAnimator(collision);
        collision->drop();
        irr::u32 time = 0;
        walker->OnAnimate(time);
        for (int k = 0; k < steps; ++k)
        {
            walker->setPosition(walker->getPosition() + step);
            time += 16;
            walker->OnAnimate(time);
        }
        const vector3df end = walker->getPosition();
        walker->remove();
        return end;
    }

    AssetEngine engine;
    irr::scene::IAnimatedMesh* arena = nullptr;
    irr::scene::IMeshSceneNode* node = nullptr;
    irr::scene::ITriangleSelector* selector = nullptr;
};

TEST_F(ArenaAssets, ArenaIsAWalledSquareOfAboutAHundredUnitsWithItsFloorAtZero)
{
    const irr::core::aabbox3df box = arena->getBoundingBox();
    EXPECT_FLOAT_EQ(box.MinEdge.Y, 0.0f);
    EXPECT_GT(box.MaxEdge.Y, 5.0f);
    for (float extent : {-box.MinEdge.X, box.MaxEdge.X, -box.MinEdge.Z, box.MaxEdge.Z})
    {
        EXPECT_GE(extent, 50.0f);
        EXPECT_LE(extent, 55.0f);
    }
    // Open floor at the middle, wall beyond +-50 in every direction.
    EXPECT_FLOAT_EQ(surfaceHeightAt(5.0f, 5.0f), 0.0f);
    for (const vector3df& direction :
         {vector3df(1, 0, 0), vector3df(-1, 0, 0), vector3df(0, 0, 1), vector3df(0, 0, -1)})
    {
        const vector3df beyond = direction * 51.0f;
        EXPECT_GT(surfaceHeightAt(beyond.X + direction.Z * 30.0f, beyond.Z + direction.X * 30.0f), 5.0f);
    }
}

TEST_F(ArenaAssets, ArenaIsTexturedFromTheAtlas)
{
    irr::video::IImage* atlas = engine.device()->getVideoDriver()->createImageFromFile(atlasPath);
    ASSERT_NE(atlas, nullptr);
    EXPECT_GE(atlas->getDimension().Width, 512u);
    EXPECT_GE(atlas->getDimension().Height, 512u);
    atlas->drop();
    ASSERT_GE(arena->getMeshBufferCount(), 1u);
    for (irr::u32 b = 0; b < arena->getMeshBufferCount(); ++b)
    {
        irr::scene::IMeshBuffer* buffer = arena->getMeshBuffer(b);
        EXPECT_NE(buffer->getMaterial().getTexture(0), nullptr) << "buffer " << b;
        // Texture coordinates stay inside the atlas, so no face samples past its edge.
        for (irr::u32 v = 0; v < buffer->getVertexCount(); ++v)
        {
            const irr::core::vector2df uv = buffer->getTCoords(v);
            ASSERT_TRUE(uv.X >= 0.0f && uv.X <= 1.0f && uv.Y >= 0.0f && uv.Y <= 1.0f) << uv.X << ", " << uv.Y;
        }
    }
}

TEST_F(ArenaAssets, FloorIsSeenFromAboveAndWallsFromInside)
{
    const std::vector<triangle3df> triangles = AssetEngine::triangles(arena);
    int floorTriangles = 0;
    for (const triangle3df& triangle : triangles)
    {
        const bool onFloor =
            triangle.pointA.Y == 0.0f && triangle.pointB.Y == 0.0f && triangle.pointC.Y == 0.0f;
        if (onFloor)
        {
            ++floorTriangles;
            EXPECT_TRUE(triangle.isFrontFacing({0.0f, -1.0f, 0.0f}));
        }
    }
    EXPECT_GT(floorTriangles, 0);
    // A ray from the middle toward each wall meets the wall's front, which is what the collision
    // and the ring fitting of camps see.
    irr::scene::ISceneCollisionManager* collision = engine.scene()->getSceneCollisionManager();
    for (const vector3df& direction :
         {vector3df(1, 0, 0), vector3df(-1, 0, 0), vector3df(0, 0, 1), vector3df(0, 0, -1)})
    {
        const vector3df from(direction.Z * 30.0f, 1.1f, direction.X * 30.0f);
        irr::core::line3df ray(from, from + direction * 100.0f);
        vector3df hit;
        triangle3df wall;
        irr::scene::ISceneNode* found = nullptr;
        ASSERT_TRUE(collision->getCollisionPoint(ray, selector, hit, wall, found));
        EXPECT_NEAR(hit.getDistanceFrom(from), 50.0f, 0.01f);
        EXPECT_TRUE(wall.isFrontFacing(direction));
    }
}

TEST_F(ArenaAssets, StartSpotsHaveOpenGroundAround)
{
    const std::vector<triangle3df> triangles = AssetEngine::triangles(arena);
    for (const irr::core::vector2df& spot : startSpots)
    {
        for (const triangle3df& triangle : triangles)
        {
            if (std::max({triangle.pointA.Y, triangle.pointB.Y, triangle.pointC.Y}) == 0.0f)
                continue;
            const vector3df closest = triangle.closestPointOnTriangle({spot.X, 2.0f, spot.Y});
            ASSERT_GT(irr::core::vector2df(closest.X, closest.Z).getDistanceFrom(spot), 8.0f)
                << "an obstacle near the start spot " << spot.X << ", " << spot.Y;
        }
    }
}

TEST_F(ArenaAssets, HumanPlayerWalksTheFloorButNotThroughWallsOrObstacles)
{
    // Open ground: the walk is not held up, and the floor does not lift the player.
    const vector3df open = walkWithHumanCollision({0.0f, 2.0f, 0.0f}, {0.0f, 0.0f, 0.25f}, 40);
    EXPECT_NEAR(open.Z, 10.0f, 0.05f);
    EXPECT_NEAR(open.Y, 2.0f, 0.05f);
    // The outer wall stops it about one collision radius before the wall's face.
    const vector3df wall = walkWithHumanCollision({0.0f, 2.0f, 30.0f}, {0.25f, 0.0f, 0.0f}, 400);
    EXPECT_GT(wall.X, 48.0f);
    EXPECT_LT(wall.X, 50.0f);
    // So do a pillar and a low ruin.
    std::vector<float> stops;
    for (float z : {20.0f, 0.0f})
    {
        const vector3df stop = walkWithHumanCollision({0.0f, 2.0f, z}, {0.25f, 0.0f, 0.0f}, 400);
        EXPECT_LT(stop.X, 45.0f) << "walked through the obstacle at z " << z;
        stops.push_back(stop.X);
    }
    EXPECT_GT(stops[0], 14.0f);
    EXPECT_GT(stops[1], 36.0f);
}

TEST_F(ArenaAssets, NavigationMeshCoversTheOpenFloorAndKeepsClearOfObstacles)
{
    irr::scene::IAnimatedMesh* navigation = engine.mesh(navigationPath);
    ASSERT_NE(navigation, nullptr);
    ASSERT_EQ(navigation->getMeshBufferCount(), 1u);
    const std::vector<triangle3df> walkable = AssetEngine::triangles(navigation);
    ASSERT_FALSE(walkable.empty());
    for (const triangle3df& triangle : walkable)
    {
        ASSERT_EQ(triangle.pointA.Y, 0.0f);
        ASSERT_EQ(triangle.pointB.Y, 0.0f);
        ASSERT_EQ(triangle.pointC.Y, 0.0f);
        ASSERT_TRUE(triangle.isFrontFacing({0.0f, -1.0f, 0.0f}));
    }
    // Sample the floor plan: every walkable point has open floor under it and one collision radius
    // around it, and nearly all of the open floor away from walls and obstacles is walkable.
    int openFloor = 0;
    int openFloorWalkable = 0;
    for (float x = -49.25f; x < 50.0f; x += 1.0f)
        for (float z = -49.25f; z < 50.0f; z += 1.0f)
        {
            const bool onNavigation = onAnyTriangle(walkable, x, z);
            bool clear = true;
            for (float dx : {-1.0f, 0.0f, 1.0f})
                for (float dz : {-1.0f, 0.0f, 1.0f})
                    clear = clear && surfaceHeightAt(x + dx, z + dz) == 0.0f;
            if (onNavigation)
            {
                ASSERT_TRUE(clear) << "walkable point " << x << ", " << z << " next to a wall or obstacle";
            }
            if (clear && std::fabs(x) < 48.0f && std::fabs(z) < 48.0f)
            {
                ++openFloor;
                openFloorWalkable += onNavigation ? 1 : 0;
            }
        }
    EXPECT_GT(openFloorWalkable, openFloor * 9 / 10);
}

TEST_F(ArenaAssets, UnitSpotsStandOnTheNavigationMeshInsideTheWalls)
{
    irr::scene::IAnimatedMesh* spots = engine.mesh(spotsPath);
    irr::scene::IAnimatedMesh* navigation = engine.mesh(navigationPath);
    ASSERT_NE(spots, nullptr);
    ASSERT_NE(navigation, nullptr);
    const std::vector<triangle3df> walkable = AssetEngine::triangles(navigation);
    const std::vector<vector3df> points = AssetEngine::positions(spots->getMeshBuffer(0));
    // Two unused vertices, then one per spot.
    ASSERT_GE(points.size(), 2u + 40u);
    ASSERT_LE(points.size(), 2u + 60u);
    int quadrants[4] = {0, 0, 0, 0};
    for (std::size_t k = 0; k < points.size(); ++k)
    {
        const vector3df& spot = points[k];
        // Even the unused two are valid places, in case a respawn draws them.
        EXPECT_FLOAT_EQ(spot.Y, 1.0f);
        EXPECT_LT(std::fabs(spot.X), 50.0f);
        EXPECT_LT(std::fabs(spot.Z), 50.0f);
        EXPECT_TRUE(onAnyTriangle(walkable, spot.X, spot.Z)) << "spot " << k << " is off the navigation mesh";
        EXPECT_EQ(surfaceHeightAt(spot.X, spot.Z), 0.0f) << "spot " << k << " is inside an obstacle";
        for (std::size_t other = 0; other < k; ++other)
            EXPECT_GT(
                irr::core::vector2df(spot.X, spot.Z).getDistanceFrom({points[other].X, points[other].Z}),
                3.0f);
        if (k >= 2)
            ++quadrants[(spot.X > 0 ? 1 : 0) + (spot.Z > 0 ? 2 : 0)];
    }
    for (int count : quadrants)
        EXPECT_GE(count, 8);
}
}  // namespace
