#pragma once

#include "Scenes/MatchStandings.h"

#include <irrlicht.h>
#include <string>
#include <vector>

class BaseGameScene;

// The table of how everyone did, over the arena from the winner's announcement until the menu comes
// back: each player in its colour with its name, rank, score, camps held, founded and captured and units
// held, the winner first. It waits for the match's result, then shows the rows one after another, and
// then stands. A GUI element of its own, drawn with the match's GUI, under the match menu.
class ResultsPanel : public irr::gui::IGUIElement
{
public:
    enum class Phase
    {
        waiting,
        revealing,
        standing
    };

    static constexpr const wchar_t* heading = L"Results";
    static constexpr const char* fontPath = "../Assets/Fonts/avenir_LT_18.xml";
    static constexpr const char* headingFontPath = "../Assets/Fonts/avenir_LT_22.xml";
    // One more row shows after each of these, in ms of the match's frames.
    static constexpr float rowInterval = 250.0f;
    static const std::vector<std::wstring> columns;

    // Made in the match's GUI, which owns it: `remove` takes it out.
    static ResultsPanel* addTo(BaseGameScene& match);

    void draw() override;
    // The panel never takes the mouse, nor the focus with it.
    bool isPointInside(const irr::core::position2di& point) const override;

    Phase phase() const { return currentPhase; }
    // The rows shown so far.
    std::size_t shownRows() const { return revealed; }
    // The table's texts, a row per player in the order shown, each in the order of `columns`.
    const std::vector<std::vector<std::wstring>>& cells() const { return table; }
    // Each row's colour: its player's.
    const std::vector<irr::video::SColor>& rowColors() const { return colors; }
    // Where the whole panel lies, once it shows.
    const irr::core::recti& area() const { return panelArea; }

private:
    static const irr::video::SColor backgroundColor;
    static const irr::video::SColor textColor;
    static const irr::video::SColor headingColor;
    // Below the winner's line and two messages more of the announcer, at the 1080-line scale.
    static constexpr irr::s32 announcementsEnd = 260;
    static constexpr irr::s32 cellPadding = 12;

    explicit ResultsPanel(BaseGameScene& match);
    void take(const MatchStandings& standings);
    void layOut();
    void advance();
    void drawRow(std::size_t row, irr::s32 top) const;
    irr::video::SColor nameTextColor(irr::video::SColor fill) const;

    BaseGameScene& match;
    irr::gui::IGUIFont* font = nullptr;
    irr::gui::IGUIFont* headingFont = nullptr;
    Phase currentPhase = Phase::waiting;
    float shownFor = 0.0f;
    std::size_t revealed = 0;
    std::vector<std::vector<std::wstring>> table;
    std::vector<irr::video::SColor> colors;
    std::vector<irr::s32> columnLefts;
    std::vector<irr::s32> columnWidths;
    irr::s32 lineHeight = 0;
    irr::s32 headingHeight = 0;
    irr::core::recti panelArea;
};
