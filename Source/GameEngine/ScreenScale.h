#pragma once

#include <irrlicht.h>
#include <string>

// How much larger the game draws its text, and the match's bar and clock around it, on a tall screen, so
// that they read alike from a 1080-line screen up: 1 below 1620 lines (never smaller, so small screens
// keep every size), 1.5 from 1620 and 2 from 2160 lines.
class ScreenScale
{
public:
    static float forHeight(irr::u32 screenHeight);
    // `pixels` at the scale of that screen, in whole pixels.
    static irr::s32 scaled(irr::s32 pixels, irr::u32 screenHeight);
    // The same font baked at the scale of that screen: ".../avenir_LT_22.xml" becomes ".../avenir_LT_44.xml"
    // at 2. The path itself at scale 1, or when it ends in no size.
    static std::string fontPath(const std::string& path, irr::u32 screenHeight);

private:
    static constexpr irr::u32 oneAndAHalfFrom = 1620;
    static constexpr irr::u32 doubleFrom = 2160;
    static constexpr const char* fontExtension = ".xml";
};
