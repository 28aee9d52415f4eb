#include "Scenes/GameScene.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <irrlicht.h>
#include <limits>

using irr::core::triangle3df;
using irr::core::vector3df;

namespace
{
bool isFloor(const triangle3df& triangle)
{
    return triangle.pointA.Y == 0.0f && triangle.pointB.Y == 0.0f && triangle.pointC.Y == 0.0f;
}

// Every triangle of every buffer, in the engine's coordinates and winding.
std::vector<triangle3df> trianglesOf(irr::scene::IMesh* mesh)
{
    std::vector<triangle3df> result;
    for (irr::u32 b = 0; b < mesh->getMeshBufferCount(); ++b)
    {
        irr::scene::IMeshBuffer* buffer = mesh->getMeshBuffer(b);
        const irr::u16* indices = buffer->getIndices();
        for (irr::u32 i = 0; i + 2 < buffer->getIndexCount(); i += 3)
            result.emplace_back(buffer->getPosition(indices[i]), buffer->getPosition(indices[i + 1]),
                                buffer->getPosition(indices[i + 2]));
    }
    return result;
}

// The arena as the match loads it, on the engine's null driver, with the collision the players walk on.
class ArenaAssets : public testing::Test
{
protected:
    void SetUp() override
    {
        irr::SIrrlichtCreationParameters parameters;
        parameters.DriverType = irr::video::EDT_NULL;
        parameters.LoggingLevel = irr::ELL_ERROR;
        device = irr::createDeviceEx(parameters);
        scene = device->getSceneManager();
        arena = scene->getMesh(GameScene::levelMeshPath);
        ASSERT_NE(arena, nullptr);
        irr::scene::IMeshSceneNode* node = scene->addMeshSceneNode(arena);
        selector = scene->createOctreeTriangleSelector(arena, node, 128);
        node->setTriangleSelector(selector);
        node->updateAbsolutePosition();
    }
    void TearDown() override
    {
        if (selector)
            selector->drop();
        device->drop();
    }

    // Where a ray first meets the arena (or other triangles), and the face it meets; no face: nothing met.
    std::pair<vector3df, triangle3df> hit(const vector3df& from, const vector3df& to,
                                          irr::scene::ITriangleSelector* on = nullptr) const
    {
        std::pair<vector3df, triangle3df> found{{0, -std::numeric_limits<float>::infinity(), 0}, {}};
        irr::scene::ISceneNode* node = nullptr;
        scene->getSceneCollisionManager()->getCollisionPoint({from, to}, on ? on : selector, found.first,
                                                             found.second, node);
        return found;
    }
    // Height of whatever a ray straight down at (x, z) meets first; -infinity for nothing.
    float surfaceHeightAt(float x, float z, irr::scene::ITriangleSelector* on = nullptr) const
    {
        return hit({x, 50, z}, {x, -5, z}, on).first.Y;
    }

    irr::IrrlichtDevice* device = nullptr;
    irr::scene::ISceneManager* scene = nullptr;
    irr::scene::IAnimatedMesh* arena = nullptr;
    irr::scene::ITriangleSelector* selector = nullptr;
};

TEST_F(ArenaAssets, ArenaIsATexturedSquareOfAHundredUnitsWithItsFloorFacingUpAndItsWallsFacingIn)
{
    EXPECT_FLOAT_EQ(arena->getBoundingBox().MinEdge.Y, 0.0f);
    EXPECT_FLOAT_EQ(surfaceHeightAt(5.0f, 5.0f), 0.0f);
    const std::vector<triangle3df> triangles = trianglesOf(arena);
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
    EXPECT_NE(device->getVideoDriver()->getTexture(GameScene::levelTexturePath), nullptr);
    for (irr::u32 b = 0; b < arena->getMeshBufferCount(); ++b)
        EXPECT_NE(arena->getMeshBuffer(b)->getMaterial().getTexture(0), nullptr) << "buffer " << b;
    // Texture coordinates stay inside the atlas, so no face samples past its edge.
    for (irr::u32 b = 0; b < arena->getMeshBufferCount(); ++b)
        for (irr::u32 v = 0; v < arena->getMeshBuffer(b)->getVertexCount(); ++v)
        {
            const irr::core::vector2df uv = arena->getMeshBuffer(b)->getTCoords(v);
            ASSERT_TRUE(uv.X >= 0.0f && uv.X <= 1.0f && uv.Y >= 0.0f && uv.Y <= 1.0f) << uv.X << ", " << uv.Y;
        }
}

TEST_F(ArenaAssets, NavigationMeshCoversTheOpenFloorAndKeepsClearOfObstacles)
{
    irr::scene::IAnimatedMesh* navigation = scene->getMesh(GameScene::navigationMeshPath);
    ASSERT_NE(navigation, nullptr);
    ASSERT_EQ(navigation->getMeshBufferCount(), 1u);
    const std::vector<triangle3df> walkable = trianglesOf(navigation);
    ASSERT_FALSE(walkable.empty());
    for (const triangle3df& triangle : walkable)
        ASSERT_TRUE(isFloor(triangle) && triangle.isFrontFacing({0, -1, 0}));
    irr::scene::ITriangleSelector* walkableSelector = scene->createTriangleSelector(navigation, nullptr);
    // Every walkable point has open floor under it and one collision radius around it, and nearly all of
    // the open floor away from walls and obstacles is walkable.
    int openFloor = 0;
    int openFloorWalkable = 0;
    for (float x = -49.25f; x < 50.0f; x += 1.0f)
        for (float z = -49.25f; z < 50.0f; z += 1.0f)
        {
            const bool onNavigation = surfaceHeightAt(x, z, walkableSelector) == 0.0f;
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
    walkableSelector->drop();
    EXPECT_GT(openFloorWalkable, openFloor * 9 / 10);
}
}  // namespace
