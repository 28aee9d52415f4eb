#pragma once

#include <irrlicht.h>

// Loads a bitmap font through the GUI environment, baked larger on a tall screen (ScreenScale). A font
// that cannot be loaded is reported once and replaced: a larger one by the font at its usual size, that
// one by the GUI's built-in font, so that text is still drawn.
class FontLoader
{
public:
    static irr::gui::IGUIFont* load(irr::gui::IGUIEnvironment* guiEnvironment, const char* path);
};
