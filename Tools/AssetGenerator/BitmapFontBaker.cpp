#include "BitmapFontBaker.h"

#include <algorithm>
#include <cstdio>
#include <ft2build.h>
#include <sstream>
#include FT_FREETYPE_H

namespace
{
constexpr int spacing = 2;

// Releases the FreeType library and face on every way out.
class FreeTypeFace
{
public:
    ~FreeTypeFace()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
    bool open(const std::string& path, int pixelSize)
    {
        return FT_Init_FreeType(&library) == 0 && FT_New_Face(library, path.c_str(), 0, &face) == 0 &&
               FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) == 0;
    }
    FT_Face get() const { return face; }

private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

int roundUpToPowerOfTwo(int value)
{
    int result = 1;
    while (result < value)
        result *= 2;
    return result;
}

std::string escaped(char character)
{
    switch (character)
    {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    default:
        return std::string(1, character);
    }
}

struct RenderedGlyph
{
    char character;
    int left;
    int top;
    int advance;
    int width;
    int rows;
    std::vector<unsigned char> coverage;
};
}  // namespace

bool BitmapFontBaker::bake(const std::string& facePath, int pixelSize, BakedFont& font, int width)
{
    FreeTypeFace face;
    if (!face.open(facePath, pixelSize))
    {
        std::printf("ERROR: Could not open the font face %s at %d pixels\n", facePath.c_str(), pixelSize);
        return false;
    }
    const FT_Size_Metrics& metrics = face.get()->size->metrics;
    const int ascender = static_cast<int>((metrics.ascender + 63) / 64);
    const int descender = static_cast<int>(metrics.descender / 64);
    font.lineHeight = ascender - descender;

    std::vector<RenderedGlyph> rendered;
    for (char character = firstCharacter; character <= lastCharacter; ++character)
    {
        if (FT_Load_Char(face.get(), static_cast<FT_ULong>(character), FT_LOAD_RENDER) != 0)
        {
            std::printf("ERROR: Could not render '%c' from %s\n", character, facePath.c_str());
            return false;
        }
        const FT_GlyphSlot slot = face.get()->glyph;
        RenderedGlyph glyph{character,
                            slot->bitmap_left,
                            slot->bitmap_top,
                            static_cast<int>((slot->advance.x + 32) / 64),
                            static_cast<int>(slot->bitmap.width),
                            static_cast<int>(slot->bitmap.rows),
                            {}};
        for (int row = 0; row < glyph.rows; ++row)
            for (int column = 0; column < glyph.width; ++column)
                glyph.coverage.push_back(slot->bitmap.buffer[row * slot->bitmap.pitch + column]);
        rendered.push_back(std::move(glyph));
    }

    // Shelf packing in character order: one shelf per line height.
    std::vector<std::pair<int, int>> places;
    int x = spacing;
    int y = spacing;
    for (const RenderedGlyph& glyph : rendered)
    {
        const int cell = std::max(glyph.width, glyph.width == 0 ? glyph.advance : 1);
        if (x + cell + spacing > width)
        {
            x = spacing;
            y += font.lineHeight + spacing;
        }
        places.emplace_back(x, y);
        x += cell + spacing;
    }
    font.page = std::make_unique<Canvas>(width, roundUpToPowerOfTwo(y + font.lineHeight + spacing),
                                         Rgba{1.0f, 1.0f, 1.0f, 0.0f});
    font.glyphs.clear();
    for (std::size_t k = 0; k < rendered.size(); ++k)
    {
        const RenderedGlyph& glyph = rendered[k];
        const auto [left, top] = places[k];
        const int baselineOffset = ascender - glyph.top;
        for (int row = 0; row < glyph.rows; ++row)
            for (int column = 0; column < glyph.width; ++column)
            {
                const int py = top + baselineOffset + row;
                if (py >= top && py < top + font.lineHeight)
                    font.page->at(left + column, py).a =
                        static_cast<float>(
                            glyph.coverage[static_cast<std::size_t>(row * glyph.width + column)]) /
                        255.0f;
            }
        if (glyph.width == 0)
            font.glyphs.push_back({glyph.character, left, top, glyph.advance, 0, 0});
        else
            font.glyphs.push_back({glyph.character, left, top, glyph.width, glyph.left,
                                   glyph.advance - glyph.left - glyph.width});
    }
    return true;
}

std::string BitmapFontBaker::xmlText(const BakedFont& font, const std::string& pageFile)
{
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\"?>\n<font type=\"bitmap\">\n";
    xml << "<Texture index=\"0\" filename=\"" << pageFile << "\" hasAlpha=\"true\" />\n";
    for (const Glyph& glyph : font.glyphs)
    {
        xml << "<c c=\"" << escaped(glyph.character) << "\" r=\"" << glyph.x << ", " << glyph.y << ", "
            << glyph.x + glyph.width << ", " << glyph.y + font.lineHeight << "\"";
        if (glyph.underhang != 0)
            xml << " u=\"" << glyph.underhang << "\"";
        if (glyph.overhang != 0)
            xml << " o=\"" << glyph.overhang << "\"";
        xml << " />\n";
    }
    xml << "</font>\n";
    return xml.str();
}
