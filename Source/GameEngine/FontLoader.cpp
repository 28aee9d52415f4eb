#include "GameEngine/FontLoader.h"

#include "GameEngine/Console.h"

irr::gui::IGUIFont* FontLoader::load(irr::gui::IGUIEnvironment* guiEnvironment, const char* path)
{
    if (!guiEnvironment)
        return nullptr;
    irr::gui::IGUIFont* font = guiEnvironment->getFont(path);
    if (font)
        return font;
    Console::warning(std::string("Font ") + path + " could not be loaded, using the built-in font");
    return guiEnvironment->getBuiltInFont();
}
