#pragma once

#include "GameEngine/GuiGroup.h"

#include <irrlicht.h>

class BaseScene;

// The match's keys in the menu's lower left corner, a key and what it does on each line, clear of the
// buttons in the middle of the screen.
class KeyLegend
{
public:
    struct Entry
    {
        const wchar_t* key;
        const wchar_t* action;
    };
    static constexpr Entry entries[] = {
        {L"W A S D", L"walk"}, {L"Mouse", L"turn the camera"}, {L"Space", L"camp/capture/reinforce"},
        {L"F", L"dash"},       {L"Q", L"free the mouse"},      {L"Esc", L"match menu"}};
    static constexpr const char* fontPath = "../Assets/Fonts/avenir_LT_14.xml";
    static const irr::video::SColor keyColor;
    static const irr::video::SColor actionColor;

    explicit KeyLegend(BaseScene& menu);

    // Every text of the legend.
    const GuiGroup& texts() const { return group; }

private:
    // From the screen's edges and between the columns, at the 1080-line scale.
    static constexpr irr::s32 margin = 12;
    static constexpr irr::s32 columnGap = 10;

    GuiGroup group;
};
