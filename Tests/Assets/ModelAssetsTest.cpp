#include "AssetEngine.h"

#include <gtest/gtest.h>

#include <set>

using irr::core::aabbox3df;

namespace
{
// A model as the game places it: its buffers (one per material it sets), its scale and the height of its
// origin, the range its height must fall in there, and its texture.
struct Model
{
    const char* name;
    irr::u32 buffers;
    float scale, height, leastHeight, mostHeight;
    const char* texture;
};

void PrintTo(const Model& model, std::ostream* out)
{
    *out << model.name;
}

// How many different colours an image holds (up to 64), and which alpha values.
std::pair<std::size_t, std::set<irr::u32>> coloursOf(const AssetEngine& engine, const std::string& path)
{
    irr::video::IImage* image = engine.device()->getVideoDriver()->createImageFromFile(path.c_str());
    EXPECT_NE(image, nullptr) << path;
    std::set<irr::u32> seen, alphas;
    for (irr::u32 y = 0; image && y < image->getDimension().Height; ++y)
        for (irr::u32 x = 0; x < image->getDimension().Width; ++x)
        {
            if (seen.size() < 64)
                seen.insert(image->getPixel(x, y).color);
            alphas.insert(image->getPixel(x, y).getAlpha());
        }
    if (image)
        image->drop();
    return {seen.size(), alphas};
}

class ModelAssets : public ::testing::TestWithParam<Model>
{
protected:
    AssetEngine engine;
};

TEST_P(ModelAssets, StandsOnTheFloorAtItsHeightWithItsTexture)
{
    const Model& model = GetParam();
    irr::scene::IAnimatedMesh* mesh = engine.mesh(std::string("../Assets/Models/") + model.name + ".obj");
    ASSERT_NE(mesh, nullptr);
    ASSERT_EQ(mesh->getMeshBufferCount(), model.buffers);
    aabbox3df box = mesh->getBoundingBox();
    box.MinEdge = box.MinEdge * model.scale + irr::core::vector3df(0, model.height, 0);
    box.MaxEdge = box.MaxEdge * model.scale + irr::core::vector3df(0, model.height, 0);
    EXPECT_NEAR(box.MinEdge.Y, 0.0f, 0.01f);
    EXPECT_GE(box.getExtent().Y, model.leastHeight);
    EXPECT_LE(box.getExtent().Y, model.mostHeight);
    AssetEngine::expectTextureCoordinatesInside(mesh);
    EXPECT_GT(coloursOf(engine, std::string("../Assets/Models/") + model.texture).first, 32u);

    const irr::core::vector3df extent = box.getExtent();
    if (model.name == std::string("simpleCube"))
    {
        // A cube small enough that a player three units away, who picks it up, is clear of it.
        EXPECT_NEAR(extent.X, extent.Y, 0.01f);
        EXPECT_NEAR(extent.Z, extent.Y, 0.01f);
        EXPECT_EQ(AssetEngine::triangles(mesh).size(), 12u);
    }
    if (model.name == std::string("newCamp"))
    {
        // The body is the bulk of the model; the flag is a banner high on its pole. No wider than the
        // smallest ring (radius 3), and under its count label 80 model units above its origin.
        EXPECT_GT(AssetEngine::triangles(mesh).size(), 4 * mesh->getMeshBuffer(1)->getIndexCount() / 3);
        EXPECT_GT(mesh->getMeshBuffer(1)->getBoundingBox().MinEdge.Y,
                  mesh->getMeshBuffer(0)->getBoundingBox().getCenter().Y);
        EXPECT_TRUE(box.MaxEdge.X < 5.0f && box.MinEdge.X > -5.0f);
        EXPECT_LT(mesh->getBoundingBox().MaxEdge.Y, 80.0f);
    }
    if (model.name == std::string("dragon"))
    {
        // The human player's collision ellipsoid (1.5 high, centred one unit above the node) reaches into
        // the body. It faces +x, where it walks at yaw 0: its horns, the highest part, are forward.
        EXPECT_LT(model.height + 1.0f - 1.5f, box.MaxEdge.Y - 1.0f);
        irr::core::vector3df highest = mesh->getMeshBuffer(0)->getPosition(0);
        for (const irr::core::vector3df& point : AssetEngine::positions(mesh->getMeshBuffer(0)))
            highest = point.Y > highest.Y ? point : highest;
        EXPECT_GT(highest.X, mesh->getBoundingBox().getCenter().X);
    }
    if (model.name == std::string("orc"))
    {
        // Stocky, and its collision ellipsoid (radius 1 around the node) overlaps the body.
        EXPECT_GT(extent.Z, extent.Y * 0.5f);
        EXPECT_LT(model.height - 1.0f, box.MaxEdge.Y);
    }
}

INSTANTIATE_TEST_SUITE_P(GameModels, ModelAssets,
                         ::testing::Values(Model{"simpleCube", 1, 0.14f, 1.0f, 0.0f, 2.0f, "FlowerBurst.png"},
                                           Model{"newCamp", 2, 0.1f, 1.0f, 0.0f, 8.0f, "camptex.png"},
                                           Model{"dragon", 1, 0.1f, 2.0f, 2.0f, 4.0f, "dragon.png"},
                                           Model{"orc", 2, 0.1f, 3.0f, 2.0f, 4.0f, "orc.png"}),
                         [](const ::testing::TestParamInfo<Model>& info) { return info.param.name; });

TEST(TextureAssets, TheParticleSpriteFadesOutAndTheCampFlagIsCutOutByItsAlpha)
{
    AssetEngine engine;
    irr::video::IImage* sprite =
        engine.device()->getVideoDriver()->createImageFromFile("../Assets/Models/FlowerBurst.png");
    ASSERT_NE(sprite, nullptr);
    const irr::video::SColor centre =
        sprite->getPixel(sprite->getDimension().Width / 2, sprite->getDimension().Height / 2);
    EXPECT_TRUE(centre.getAlpha() > 200 && centre.getRed() > 200);
    EXPECT_TRUE(sprite->getPixel(0, 0).getAlpha() == 0 && sprite->getPixel(0, 0).getRed() == 0);
    sprite->drop();

    // Drawn with an alpha reference: some texels fully transparent, the rest fully opaque.
    const auto [colours, alphas] = coloursOf(engine, "../Assets/Models/campflag.png");
    EXPECT_TRUE(alphas.count(0) && alphas.count(255));
    EXPECT_GT(colours, 8u);
}
}  // namespace
