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

    AssetEngine engine;
    irr::scene::IAnimatedMesh* arena = nullptr;
    irr::scene::ITriangleSelector* selector = nullptr;
};

TEST_F(ArenaAssets, ArenaIsATexturedSquareOfAHundredUnitsWithItsFloorFacingUpAndItsWallsFacingIn)
{
    EXPECT_FLOAT_EQ(arena->getBoundingBox().MinEdge.Y, 0.0f);
    EXPECT_FLOAT_EQ(surfaceHeightAt(5.0f, 5.0f), 0.0f);
    const std::vector<triangle3df> triangles = AssetEngine::triangles(arena);
    ASSERT_GT(std::count_if(triangles.begin(), triangles.end(), isFloor), 0);
    for (const triangle3df& triangle : triangles)
        ASSERT_TRUE(!isFloor(triangle) || triangle.isFrontFacing({0, -1, 0}));
    // A ray from the middle toward each wall meets the wall's front 50 away: what the collision and the
    // ring fitting of camps see.
    for (const vector3df& direction :
         {vector3df(1, 0, 0), vector3df(-1, 0, 0), vector3df(0, 0, 1), vector3df(0, 0, -1)})
    {
        const vector3df from(direction.Z * 30.0f, 1.1f, direction.X * 30.0f);
        const auto [point, wall] = hit(from, from + direction * 100.0f);
        EXPECT_NEAR(point.getDistanceFrom(from), 50.0f, 0.01f);
        EXPECT_TRUE(wall.isFrontFacing(direction));
    }
    EXPECT_NE(engine.device()->getVideoDriver()->getTexture(GameScene::levelTexturePath), nullptr);
    for (irr::u32 b = 0; b < arena->getMeshBufferCount(); ++b)
        EXPECT_NE(arena->getMeshBuffer(b)->getMaterial().getTexture(0), nullptr) << "buffer " << b;
    AssetEngine::expectTextureCoordinatesInside(arena);
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
}  // namespace
