#include "AssetEngine.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace
{
class FontAssets : public ::testing::TestWithParam<int>
{
protected:
    irr::gui::IGUIFont* font(int size)
    {
        const std::string path = "../Assets/Fonts/avenir_LT_" + std::to_string(size) + ".xml";
        return engine.device()->getGUIEnvironment()->getFont(path.c_str());
    }

    AssetEngine engine;
};

TEST_P(FontAssets, IsABitmapFontOfItsSizeWithAGlyphForEveryPrintableCharacter)
{
    irr::gui::IGUIFont* loaded = font(GetParam());
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->getType(), irr::gui::EGFT_BITMAP);
    // A line is about as high as the pixel size, a little more for the descenders.
    const irr::core::dimension2du w = loaded->getDimension(L"W");
    EXPECT_GE(w.Height, static_cast<irr::u32>(GetParam()));
    EXPECT_LE(w.Height, static_cast<irr::u32>(GetParam()) * 3 / 2);
    // Wider text measures wider; a space has width; a larger font draws larger.
    EXPECT_GT(loaded->getDimension(L"WW").Width, w.Width);
    EXPECT_GT(loaded->getDimension(L" ").Width, 0u);
    for (int smaller = 14; smaller < GetParam() && smaller <= 22; smaller += 4)
        EXPECT_GT(loaded->getDimension(L"Add Player").Width,
                  font(smaller)->getDimension(L"Add Player").Width);
    // A missing character would be drawn as the stand-in glyph; each must have its own.
    std::set<irr::u32> sprites;
    for (wchar_t character = L' '; character <= L'~'; ++character)
    {
        const wchar_t text[2] = {character, 0};
        sprites.insert(static_cast<irr::gui::IGUIFontBitmap*>(loaded)->getSpriteNoFromChar(text));
    }
    EXPECT_EQ(sprites.size(), static_cast<std::size_t>(L'~' - L' ' + 1));
}

TEST_P(FontAssets, PageIsWhiteWithAntialiasedAlpha)
{
    const std::string page = "../Assets/Fonts/avenir_LT_" + std::to_string(GetParam()) + "_0.png";
    irr::video::IImage* image = engine.device()->getVideoDriver()->createImageFromFile(page.c_str());
    ASSERT_NE(image, nullptr);
    std::set<irr::u32> alphas;
    for (irr::u32 y = 0; y < image->getDimension().Height; ++y)
        for (irr::u32 x = 0; x < image->getDimension().Width; ++x)
        {
            ASSERT_EQ(image->getPixel(x, y).getRed(), 255u);
            alphas.insert(image->getPixel(x, y).getAlpha());
        }
    image->drop();
    // Transparent background, solid strokes and many shades between them at the edges.
    EXPECT_TRUE(alphas.count(0) && alphas.count(255));
    EXPECT_GT(alphas.size(), 32u);
}

INSTANTIATE_TEST_SUITE_P(GameFonts, FontAssets, ::testing::Values(14, 18, 22, 36));
}  // namespace
