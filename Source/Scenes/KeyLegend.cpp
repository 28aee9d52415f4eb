#include "Scenes/KeyLegend.h"

#include "GameEngine/BaseScene.h"
#include "GameEngine/FontLoader.h"
#include "GameEngine/ScreenScale.h"

#include <algorithm>
#include <iterator>

const irr::video::SColor KeyLegend::keyColor(255, 236, 190, 92);
const irr::video::SColor KeyLegend::actionColor(255, 215, 215, 215);

KeyLegend::KeyLegend(BaseScene& menu) : group(menu.guiEnvironment)
{
    irr::gui::IGUIEnvironment* gui = menu.guiEnvironment;
    irr::gui::IGUIFont* font = FontLoader::load(gui, fontPath);
    const irr::core::dimension2du screen = menu.driver->getScreenSize();
    const irr::s32 edge = ScreenScale::scaled(margin, screen.Height);
    irr::s32 keyWidth = 0;
    irr::s32 actionWidth = 0;
    for (const Entry& entry : entries)
    {
        keyWidth = std::max(keyWidth, static_cast<irr::s32>(font->getDimension(entry.key).Width));
        actionWidth = std::max(actionWidth, static_cast<irr::s32>(font->getDimension(entry.action).Width));
    }
    const auto lineHeight = static_cast<irr::s32>(font->getDimension(L"W").Height);
    const irr::s32 actionLeft = edge + keyWidth + ScreenScale::scaled(columnGap, screen.Height);
    irr::s32 top =
        static_cast<irr::s32>(screen.Height) - edge - lineHeight * static_cast<irr::s32>(std::size(entries));
    for (const Entry& entry : entries)
    {
        for (const auto& [text, left, width, color] :
             {std::tuple(entry.key, edge, keyWidth, keyColor),
              std::tuple(entry.action, actionLeft, actionWidth, actionColor)})
        {
            irr::gui::IGUIStaticText* shown = group.add(
                gui->addStaticText(text, {left, top, left + width, top + lineHeight}, false, false));
            shown->setOverrideFont(font);
            shown->setOverrideColor(color);
        }
        top += lineHeight;
    }
}
