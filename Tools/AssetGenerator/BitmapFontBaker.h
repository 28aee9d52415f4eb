#pragma once

#include "Canvas.h"

#include <memory>
#include <string>
#include <vector>

// Renders a TrueType face with FreeType into the engine's bitmap font form: one texture page of
// white, antialiased glyphs whose alpha is their coverage, and an XML list of glyph rectangles.
// Every rectangle is a whole line high with the glyph on the common baseline, because the engine
// draws each glyph's rectangle from the same top edge.
class BitmapFontBaker
{
public:
    struct Glyph
    {
        char character;
        int x;
        int y;
        int width;
        // Pen movement before and after the rectangle, so that the three add up to the advance.
        int underhang;
        int overhang;
    };

    struct BakedFont
    {
        int lineHeight = 0;
        std::vector<Glyph> glyphs;
        std::unique_ptr<Canvas> page;
    };

    // Printable ASCII, ' ' to '~'.
    static constexpr char firstCharacter = ' ';
    static constexpr char lastCharacter = '~';

    // The width of a page unless asked otherwise; a page is as tall as its glyphs need.
    static constexpr int pageWidth = 512;

    // Reports on the console and returns false if the face cannot be read or rendered.
    static bool bake(const std::string& facePath, int pixelSize, BakedFont& font, int width = pageWidth);
    // The XML font description naming `pageFile`, relative to the XML's folder.
    static std::string xmlText(const BakedFont& font, const std::string& pageFile);
};
