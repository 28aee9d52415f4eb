#include "Scenes/MenuTexts.h"

#include "GameEngine/FontLoader.h"
#include "GameEngine/ScreenScale.h"
#include "Scenes/StartScene.h"

#include <algorithm>

const irr::video::SColor MenuTexts::titleColor(255, 236, 190, 92);
const irr::video::SColor MenuTexts::shadowColor(160, 20, 16, 12);
const irr::video::SColor MenuTexts::lineColor(255, 238, 238, 238);
const irr::video::SColor MenuTexts::captionColor(255, 205, 205, 205);

MenuTexts::MenuTexts(StartScene& menu) : menu(menu), group(menu.guiEnvironment)
{
    irr::gui::IGUIEnvironment* gui = menu.guiEnvironment;
    const irr::u32 screenHeight = menu.driver->getScreenSize().Height;
    const irr::s32 middle = static_cast<irr::s32>(menu.driver->getScreenSize().Width / 2);
    const irr::s32 spacing = ScreenScale::scaled(gap, screenHeight);
    const irr::core::recti count = menu.countArea();

    irr::gui::IGUIFont* captionFont = FontLoader::load(gui, captionFontPath);
    const auto captionHeight = static_cast<irr::s32>(captionFont->getDimension(countCaption).Height);
    caption = addText(countCaption, captionFont,
                      {count.getCenter().X, count.LowerRightCorner.Y + captionHeight / 2}, captionColor);

    // The title stands in the middle of the room above the count and the buttons beside it, or above the
    // last match's line.
    irr::s32 titleRoomBottom = count.UpperLeftCorner.Y;
    if (menu.removePlayerButton)
        titleRoomBottom =
            std::min(titleRoomBottom, menu.removePlayerButton->getRelativePosition().UpperLeftCorner.Y);
    titleRoomBottom -= spacing;
    if (menu.lastMatch)
    {
        irr::gui::IGUIFont* lineFont = FontLoader::load(gui, lineFontPath);
        const std::wstring line = lastMatchLine(*menu.lastMatch);
        const auto lineHeight = static_cast<irr::s32>(lineFont->getDimension(line.c_str()).Height);
        resultLine = addText(line.c_str(), lineFont, {middle, titleRoomBottom - lineHeight / 2}, lineColor);
        titleRoomBottom = resultLine->getRelativePosition().UpperLeftCorner.Y - spacing;
    }
    irr::gui::IGUIFont* titleFont = FontLoader::load(gui, titleFontPath);
    const irr::s32 offset = ScreenScale::scaled(shadowOffset, screenHeight);
    const irr::core::position2di titleCentre(middle, titleRoomBottom / 2);
    titleShadow =
        addText(title, titleFont, titleCentre + irr::core::position2di(offset, offset), shadowColor);
    titleText = addText(title, titleFont, titleCentre, titleColor);
}

irr::gui::IGUIStaticText* MenuTexts::addText(const wchar_t* text, irr::gui::IGUIFont* font,
                                             const irr::core::position2di& centre, irr::video::SColor color)
{
    const irr::core::dimension2du size = font->getDimension(text);
    const irr::core::position2di half(static_cast<irr::s32>(size.Width / 2),
                                      static_cast<irr::s32>(size.Height / 2));
    const irr::core::recti area(
        centre - half,
        centre - half +
            irr::core::position2di(static_cast<irr::s32>(size.Width), static_cast<irr::s32>(size.Height)));
    irr::gui::IGUIStaticText* shown = group.add(menu.guiEnvironment->addStaticText(text, area, false, false));
    shown->setOverrideFont(font);
    shown->setOverrideColor(color);
    shown->setTextAlignment(irr::gui::EGUIA_CENTER, irr::gui::EGUIA_CENTER);
    return shown;
}

void MenuTexts::show(bool shown)
{
    group.show(shown);
}

std::wstring MenuTexts::lastMatchLine(const MatchStandings& standings)
{
    const MatchStandings::Player* you = standings.human();
    const std::vector<MatchStandings::Player> ranked = standings.ranked();
    if (ranked.empty())
        return L"Last match: nobody played";
    if (you && you->rank == 1)
        return L"Last match: you won with " + std::to_wstring(you->score) + L" points";
    std::wstring line = L"Last match: " + ranked.front().name() + L" won";
    if (you)
        line += L", you came " + ordinal(you->rank) + L" of " + std::to_wstring(ranked.size()) + L" with " +
                std::to_wstring(you->score) + L" points";
    return line;
}

std::wstring MenuTexts::ordinal(int rank)
{
    const int lastTwo = rank % 100;
    const int last = rank % 10;
    const wchar_t* suffix = L"th";
    if (lastTwo < 11 || lastTwo > 13)
        suffix = last == 1 ? L"st" : last == 2 ? L"nd" : last == 3 ? L"rd" : L"th";
    return std::to_wstring(rank) + suffix;
}
