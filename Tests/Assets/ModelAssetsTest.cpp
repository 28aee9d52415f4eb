#include "AssetEngine.h"

#include <gtest/gtest.h>

#include <set>

using irr::core::aabbox3df;

namespace
{
// The model's box in the world, as the game places it: scaled uniformly, standing at `height`.
aabbox3df placedBox(irr::scene::IMesh* mesh, float scale, float height)
{
    aabbox3df box = mesh->getBoundingBox();
    box.MinEdge *= scale;
    box.MaxEdge *= scale;
    box.MinEdge.Y += height;
    box.MaxEdge.Y += height;
    return box;
}

// Stood where the game stands it, the model is 2 to 4 units tall with its feet on the floor.
void expectStandsOnTheFloor(irr::scene::IMesh* mesh, float scale, float height)
{
    const aabbox3df box = placedBox(mesh, scale, height);
    EXPECT_GE(box.getExtent().Y, 2.0f);
    EXPECT_LE(box.getExtent().Y, 4.0f);
    EXPECT_NEAR(box.MinEdge.Y, 0.0f, 0.01f);
}

void expectTextureCoordinatesInside(irr::scene::IMesh* mesh)
{
    for (irr::u32 b = 0; b < mesh->getMeshBufferCount(); ++b)
        for (irr::u32 v = 0; v < mesh->getMeshBuffer(b)->getVertexCount(); ++v)
        {
            const irr::core::vector2df uv = mesh->getMeshBuffer(b)->getTCoords(v);
            ASSERT_TRUE(uv.X >= 0.0f && uv.X <= 1.0f && uv.Y >= 0.0f && uv.Y <= 1.0f);
        }
}

class ModelAssets : public ::testing::Test
{
protected:
    // How many different colours the image holds (up to `enough`), and how many alpha values.
    std::pair<std::size_t, std::set<irr::u32>> colours(const char* path, std::size_t enough = 64)
    {
        irr::video::IImage* image = engine.device()->getVideoDriver()->createImageFromFile(path);
        EXPECT_NE(image, nullptr) << path;
        if (!image)
            return {0, {}};
        std::set<irr::u32> seen;
        std::set<irr::u32> alphas;
        const irr::core::dimension2du size = image->getDimension();
        for (irr::u32 y = 0; y < size.Height; ++y)
            for (irr::u32 x = 0; x < size.Width; ++x)
            {
                const irr::video::SColor colour = image->getPixel(x, y);
                if (seen.size() < enough)
                    seen.insert(colour.color);
                alphas.insert(colour.getAlpha());
            }
        image->drop();
        return {seen.size(), alphas};
    }

    AssetEngine engine;
};

TEST_F(ModelAssets, UnitCubeStandsOnTheFloorAtTheGamesScale)
{
    irr::scene::IAnimatedMesh* cube = engine.mesh("../Assets/Models/simpleCube.obj");
    ASSERT_NE(cube, nullptr);
    ASSERT_EQ(cube->getMeshBufferCount(), 1u);
    const aabbox3df box = placedBox(cube, 0.14f, 1.0f);
    EXPECT_NEAR(box.MinEdge.Y, 0.0f, 0.01f);
    EXPECT_NEAR(box.getExtent().X, box.getExtent().Y, 0.01f);
    EXPECT_NEAR(box.getExtent().Z, box.getExtent().Y, 0.01f);
    // Small enough that a player three units away, who picks it up, is clear of it.
    EXPECT_LT(box.getExtent().X, 2.0f);
    EXPECT_EQ(AssetEngine::triangles(cube).size(), 12u);
}

TEST_F(ModelAssets, ParticleSpriteFadesOutInColourAndAlpha)
{
    irr::video::IImage* sprite =
        engine.device()->getVideoDriver()->createImageFromFile("../Assets/Models/FlowerBurst.png");
    ASSERT_NE(sprite, nullptr);
    const irr::core::dimension2du size = sprite->getDimension();
    const irr::video::SColor centre = sprite->getPixel(size.Width / 2, size.Height / 2);
    const irr::video::SColor corner = sprite->getPixel(0, 0);
    EXPECT_GT(centre.getAlpha(), 200u);
    EXPECT_GT(centre.getRed(), 200u);
    EXPECT_EQ(corner.getAlpha(), 0u);
    EXPECT_EQ(corner.getRed(), 0u);
    sprite->drop();
}

TEST_F(ModelAssets, CampHasItsBodyAndItsFlagAsTwoBuffers)
{
    irr::scene::IAnimatedMesh* camp = engine.mesh("../Assets/Models/newCamp.obj");
    ASSERT_NE(camp, nullptr);
    ASSERT_EQ(camp->getMeshBufferCount(), 2u);
    // The body is the bulk of the model; the flag is a banner high on its pole.
    const aabbox3df body = camp->getMeshBuffer(0)->getBoundingBox();
    const aabbox3df flag = camp->getMeshBuffer(1)->getBoundingBox();
    EXPECT_GT(AssetEngine::triangles(camp).size(), 4 * camp->getMeshBuffer(1)->getIndexCount() / 3);
    EXPECT_GT(flag.MinEdge.Y, body.getCenter().Y);
    // Placed as the game places camps (scale 0.1 at height 1): on the floor, under its count
    // label (80 model units above its origin), no wider than its smallest ring (radius 3).
    const aabbox3df box = placedBox(camp, 0.1f, 1.0f);
    EXPECT_NEAR(box.MinEdge.Y, 0.0f, 0.01f);
    EXPECT_LT(camp->getBoundingBox().MaxEdge.Y, 80.0f);
    EXPECT_LT(box.MaxEdge.X, 5.0f);
    EXPECT_GT(box.MinEdge.X, -5.0f);
    expectTextureCoordinatesInside(camp);
}

TEST_F(ModelAssets, CampFlagTextureIsCutOutByItsAlpha)
{
    const auto [colourCount, alphas] = colours("../Assets/Models/campflag.png");
    // Drawn with an alpha reference: some texels fully transparent, the rest fully opaque.
    EXPECT_TRUE(alphas.count(0));
    EXPECT_TRUE(alphas.count(255));
    EXPECT_GT(colourCount, 8u);
    EXPECT_GT(colours("../Assets/Models/camptex.png").first, 32u);
}

TEST_F(ModelAssets, DragonStandsTwoToFourUnitsTallWithItsFeetOnTheFloor)
{
    irr::scene::IAnimatedMesh* dragon = engine.mesh("../Assets/Models/dragon.obj");
    ASSERT_NE(dragon, nullptr);
    // The game textures material 0 only: one buffer, so nothing is left untextured.
    ASSERT_EQ(dragon->getMeshBufferCount(), 1u);
    expectStandsOnTheFloor(dragon, 0.1f, 2.0f);
    const aabbox3df box = placedBox(dragon, 0.1f, 2.0f);
    // The human player's collision ellipsoid (radius 1.5 high, centred one unit above the node)
    // reaches down into the body, so the dragon collides with what it walks into.
    const float ellipsoidBottom = 2.0f + 1.0f - 1.5f;
    EXPECT_LT(ellipsoidBottom, box.MaxEdge.Y - 1.0f);
    // It faces +x, where it walks at yaw 0: its horns, the highest part, are forward of the middle.
    irr::core::vector3df highest = dragon->getMeshBuffer(0)->getPosition(0);
    for (const irr::core::vector3df& point : AssetEngine::positions(dragon->getMeshBuffer(0)))
        if (point.Y > highest.Y)
            highest = point;
    EXPECT_GT(highest.X, dragon->getBoundingBox().getCenter().X);
    expectTextureCoordinatesInside(dragon);
    EXPECT_GT(colours("../Assets/Models/dragon.png").first, 32u);
}

TEST_F(ModelAssets, OrcIsAStockyHumanoidOfTwoMaterials)
{
    irr::scene::IAnimatedMesh* orc = engine.mesh("../Assets/Models/orc.obj");
    ASSERT_NE(orc, nullptr);
    // The game sets materials 0 and 1.
    ASSERT_EQ(orc->getMeshBufferCount(), 2u);
    expectStandsOnTheFloor(orc, 0.1f, 3.0f);
    const aabbox3df box = placedBox(orc, 0.1f, 3.0f);
    // Stocky: at least half as broad as it is tall.
    EXPECT_GT(box.getExtent().Z, box.getExtent().Y * 0.5f);
    // Its collision ellipsoid (radius 1 around the node at height 3) overlaps the body.
    EXPECT_LT(3.0f - 1.0f, box.MaxEdge.Y);
    expectTextureCoordinatesInside(orc);
    EXPECT_GT(colours("../Assets/Models/orc.png").first, 32u);
}
}  // namespace
