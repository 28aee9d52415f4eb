#include "AssetEngine.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <sndfile.h>
#include <string>
#include <vector>

// Every model, texture, font and sound the game names, loaded as the game loads it.
namespace
{
TEST(GameAssets, ModelsStandOnTheFloorAtTheirHeightWithTheirTextures)
{
    // Each model as the game places it: its buffers (one per material it sets), its scale and the height of
    // its origin, the range its height must fall in there, and its texture.
    const struct
    {
        const char* name;
        irr::u32 buffers;
        float scale, height, leastHeight, mostHeight;
        const char* texture;
    } models[] = {{"simpleCube", 1, 0.14f, 1.0f, 0.0f, 2.0f, "FlowerBurst.png"},
                  {"newCamp", 2, 0.1f, 1.0f, 0.0f, 8.0f, "camptex.png"},
                  {"dragon", 1, 0.1f, 2.0f, 2.0f, 4.0f, "dragon.png"},
                  {"orc", 2, 0.1f, 3.0f, 2.0f, 4.0f, "orc.png"}};
    AssetEngine engine;
    for (const auto& model : models)
    {
        SCOPED_TRACE(model.name);
        irr::scene::IAnimatedMesh* mesh = engine.mesh(std::string("../Assets/Models/") + model.name + ".obj");
        ASSERT_NE(mesh, nullptr);
        EXPECT_EQ(mesh->getMeshBufferCount(), model.buffers);
        const irr::core::aabbox3df box = mesh->getBoundingBox();
        EXPECT_NEAR(box.MinEdge.Y * model.scale + model.height, 0.0f, 0.01f);
        EXPECT_GE(box.getExtent().Y * model.scale, model.leastHeight);
        EXPECT_LE(box.getExtent().Y * model.scale, model.mostHeight);
        AssetEngine::expectTextureCoordinatesInside(mesh);

        const std::string texture = std::string("../Assets/Models/") + model.texture;
        irr::video::IImage* image = engine.device()->getVideoDriver()->createImageFromFile(texture.c_str());
        ASSERT_NE(image, nullptr);
        std::set<irr::u32> colours;
        for (irr::u32 y = 0; y < image->getDimension().Height && colours.size() <= 32; ++y)
            for (irr::u32 x = 0; x < image->getDimension().Width; ++x)
                colours.insert(image->getPixel(x, y).color);
        image->drop();
        EXPECT_GT(colours.size(), 32u) << "a texture of a few flat colours";
    }
}

TEST(GameAssets, FontsAreBitmapFontsOfTheirSizeWithAGlyphForEveryPrintableCharacter)
{
    AssetEngine engine;
    for (const irr::u32 size : {14u, 18u, 22u, 36u})
    {
        const std::string path = "../Assets/Fonts/avenir_LT_" + std::to_string(size) + ".xml";
        SCOPED_TRACE(path);
        irr::gui::IGUIFont* font = engine.device()->getGUIEnvironment()->getFont(path.c_str());
        ASSERT_TRUE(font && font->getType() == irr::gui::EGFT_BITMAP);
        // A line is about as high as the pixel size, a little more for the descenders.
        const irr::u32 height = font->getDimension(L"W").Height;
        EXPECT_TRUE(height >= size && height <= size * 3 / 2) << height;
        // A missing character would be drawn as the stand-in glyph; each must have its own.
        std::set<irr::u32> sprites;
        for (wchar_t character = L' '; character <= L'~'; ++character)
        {
            const wchar_t text[2] = {character, 0};
            sprites.insert(static_cast<irr::gui::IGUIFontBitmap*>(font)->getSpriteNoFromChar(text));
        }
        EXPECT_EQ(sprites.size(), static_cast<std::size_t>(L'~' - L' ' + 1));
    }
}

TEST(GameAssets, SoundsAre44kHz16BitClipsOfTheirChannelsLengthAndLoudness)
{
    // As the game's sound engine reads them, through libsndfile. Effects are mono, so that they can take a
    // place in the world; loudness is the root mean square, 0 to 1.
    const struct
    {
        const char* name;
        int channels;
        double shortest, longest, quietest, loudest;
    } sounds[] = {{"Background", 2, 30.0, 1e9, 0.05, 0.5}, {"CreateCamp", 1, 0.1, 2.0, 0.05, 1.0},
                  {"FailedCamp", 1, 0.1, 2.0, 0.05, 1.0},  {"CaptureCamp", 1, 0.1, 2.0, 0.05, 1.0},
                  {"LostCamp", 1, 0.1, 2.0, 0.05, 1.0},    {"ReinforceCamp", 1, 0.1, 2.0, 0.05, 1.0},
                  {"LostUnit", 1, 0.1, 2.0, 0.05, 1.0},    {"Stunned", 1, 0.1, 2.0, 0.05, 1.0},
                  {"PickupUnit", 1, 0.1, 2.0, 0.05, 1.0},  {"SkillShot", 1, 0.1, 2.0, 0.05, 1.0}};
    for (const auto& sound : sounds)
    {
        SCOPED_TRACE(sound.name);
        SF_INFO info{};
        SNDFILE* file =
            sf_open((std::string("../Assets/Audio/") + sound.name + ".wav").c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr);
        std::vector<double> samples(static_cast<std::size_t>(info.frames * info.channels));
        sf_read_double(file, samples.data(), static_cast<sf_count_t>(samples.size()));
        sf_close(file);
        EXPECT_TRUE(info.samplerate == 44100 && info.format == (SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        EXPECT_EQ(info.channels, sound.channels);
        const double seconds = static_cast<double>(info.frames) / info.samplerate;
        EXPECT_TRUE(seconds > sound.shortest && seconds < sound.longest) << seconds;
        double sum = 0.0;
        for (double sample : samples)
            sum += sample * sample;
        const double loudness = std::sqrt(sum / static_cast<double>(samples.size()));
        EXPECT_TRUE(loudness > sound.quietest && loudness < sound.loudest) << loudness;
    }
}
}  // namespace
