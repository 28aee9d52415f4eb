#include "GameEngine/FontLoader.h"

#include "GameEngine/Console.h"
#include "GameEngine/ScreenScale.h"

#include <string>

irr::gui::IGUIFont* FontLoader::load(irr::gui::IGUIEnvironment* guiEnvironment, const char* path)
{
    if (!guiEnvironment)
        return nullptr;
    const irr::u32 screenHeight =
        guiEnvironment->getVideoDriver() ? guiEnvironment->getVideoDriver()->getScreenSize().Height : 0;
    const std::string larger = ScreenScale::fontPath(path, screenHeight);
    if (larger != path)
    {
        if (irr::gui::IGUIFont* font = guiEnvironment->getFont(larger.c_str()))
            return font;
        Console::warning("Font " + larger + " could not be loaded, using " + path);
    }
    irr::gui::IGUIFont* font = guiEnvironment->getFont(path);
    if (font)
        return font;
    Console::warning(std::string("Font ") + path + " could not be loaded, using the built-in font");
    return guiEnvironment->getBuiltInFont();
}
