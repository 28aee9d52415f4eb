#pragma once

#include "GameEngine/GuiGroup.h"
#include "Scenes/MatchStandings.h"

#include <irrlicht.h>
#include <string>

class StartScene;

// The menu's words around its buttons: the game's name as a title, what the count counts, and, after a
// match, one line with how it ended.
class MenuTexts
{
public:
    static constexpr const wchar_t* title = L"Quillmarch";
    static constexpr const wchar_t* countCaption = L"computer players";
    // Baked by the asset generator larger than any other text, and larger still on tall screens.
    static constexpr const char* titleFontPath = "../Assets/Fonts/quillmarch_title_64.xml";
    static constexpr const char* lineFontPath = "../Assets/Fonts/avenir_LT_18.xml";
    static constexpr const char* captionFontPath = "../Assets/Fonts/avenir_LT_14.xml";
    static const irr::video::SColor titleColor;
    static const irr::video::SColor shadowColor;
    static const irr::video::SColor lineColor;
    static const irr::video::SColor captionColor;

    explicit MenuTexts(StartScene& menu);

    // Hidden while the settings panel stands in their place.
    void show(bool shown);

    // "Last match: you won with 812 points", or the winner, then your rank and score.
    static std::wstring lastMatchLine(const MatchStandings& standings);
    // "1st", "2nd", "3rd", "4th", ...
    static std::wstring ordinal(int rank);

    irr::gui::IGUIStaticText* titleText = nullptr;
    irr::gui::IGUIStaticText* caption = nullptr;
    // Null before the first match and after a match that was left early.
    irr::gui::IGUIStaticText* resultLine = nullptr;

private:
    // Between a text and what it stands beside, at the 1080-line scale.
    static constexpr irr::s32 gap = 12;
    static constexpr irr::s32 shadowOffset = 3;

    irr::gui::IGUIStaticText* addText(const wchar_t* text, irr::gui::IGUIFont* font,
                                      const irr::core::position2di& centre, irr::video::SColor color);

    StartScene& menu;
    GuiGroup group;
    irr::gui::IGUIStaticText* titleShadow = nullptr;
};
