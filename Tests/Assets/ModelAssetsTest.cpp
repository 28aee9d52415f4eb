#include "AssetEngine.h"

#include <gtest/gtest.h>

#include <set>

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

class ModelAssets : public testing::TestWithParam<Model>
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
    const irr::core::aabbox3df box = mesh->getBoundingBox();
    EXPECT_NEAR(box.MinEdge.Y * model.scale + model.height, 0.0f, 0.01f);
    EXPECT_GE(box.getExtent().Y * model.scale, model.leastHeight);
    EXPECT_LE(box.getExtent().Y * model.scale, model.mostHeight);
    AssetEngine::expectTextureCoordinatesInside(mesh);

    const std::string texture = std::string("../Assets/Models/") + model.texture;
    irr::video::IImage* image = engine.device()->getVideoDriver()->createImageFromFile(texture.c_str());
    ASSERT_NE(image, nullptr) << texture;
    std::set<irr::u32> colours;
    for (irr::u32 y = 0; y < image->getDimension().Height && colours.size() <= 32; ++y)
        for (irr::u32 x = 0; x < image->getDimension().Width; ++x)
            colours.insert(image->getPixel(x, y).color);
    image->drop();
    EXPECT_GT(colours.size(), 32u) << "a texture of a few flat colours";
}

INSTANTIATE_TEST_SUITE_P(GameModels, ModelAssets,
                         testing::Values(Model{"simpleCube", 1, 0.14f, 1.0f, 0.0f, 2.0f, "FlowerBurst.png"},
                                         Model{"newCamp", 2, 0.1f, 1.0f, 0.0f, 8.0f, "camptex.png"},
                                         Model{"dragon", 1, 0.1f, 2.0f, 2.0f, 4.0f, "dragon.png"},
                                         Model{"orc", 2, 0.1f, 3.0f, 2.0f, 4.0f, "orc.png"}),
                         [](const testing::TestParamInfo<Model>& info) { return info.param.name; });
}  // namespace
