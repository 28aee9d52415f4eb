#include "AssetEngine.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace
{
class FontAssets : public testing::TestWithParam<int>
{
protected:
    AssetEngine engine;
};

TEST_P(FontAssets, IsABitmapFontOfItsSizeWithAGlyphForEveryPrintableCharacter)
{
    const std::string path = "../Assets/Fonts/avenir_LT_" + std::to_string(GetParam()) + ".xml";
    irr::gui::IGUIFont* font = engine.device()->getGUIEnvironment()->getFont(path.c_str());
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->getType(), irr::gui::EGFT_BITMAP);
    // A line is about as high as the pixel size, a little more for the descenders.
    const irr::u32 height = font->getDimension(L"W").Height;
    EXPECT_TRUE(height >= static_cast<irr::u32>(GetParam()) && height <= GetParam() * 3u / 2) << height;
    // A missing character would be drawn as the stand-in glyph; each must have its own.
    std::set<irr::u32> sprites;
    for (wchar_t character = L' '; character <= L'~'; ++character)
    {
        const wchar_t text[2] = {character, 0};
        sprites.insert(static_cast<irr::gui::IGUIFontBitmap*>(font)->getSpriteNoFromChar(text));
    }
    EXPECT_EQ(sprites.size(), static_cast<std::size_t>(L'~' - L' ' + 1));
}

INSTANTIATE_TEST_SUITE_P(GameFonts, FontAssets, testing::Values(14, 18, 22, 36),
                         testing::PrintToStringParamName());
}  // namespace
