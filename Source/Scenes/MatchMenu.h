#pragma once

#include "GameEngine/GuiGroup.h"

#include <irrlicht.h>

class BaseGameScene;

// What Esc opens over a match: "Resume" (or Esc again), "Back to menu" and "Quit". The match has no
// pause, so it goes on behind the menu, which says so; while the menu is open the mouse is free and the
// dragon stands. Installed as the match's receiver: it takes Esc and its own buttons, and hands every
// other event on to the match's keys. Built hidden with the match; closing only hides it, so that a
// button may close it from inside its own click.
class MatchMenu : public irr::IEventReceiver
{
public:
    static constexpr irr::s32 resumeButtonId = 301;
    static constexpr irr::s32 backButtonId = 302;
    static constexpr irr::s32 quitButtonId = 303;
    static constexpr const wchar_t* heading = L"Match menu";
    static constexpr const wchar_t* note = L"the match goes on";
    static constexpr irr::EKEY_CODE key = irr::KEY_ESCAPE;
    static constexpr const char* textFontPath = "../Assets/Fonts/avenir_LT_14.xml";
    static constexpr const char* headingFontPath = "../Assets/Fonts/avenir_LT_22.xml";

    explicit MatchMenu(BaseGameScene& match);
    ~MatchMenu() override;
    MatchMenu(const MatchMenu&) = delete;
    MatchMenu& operator=(const MatchMenu&) = delete;

    bool OnEvent(const irr::SEvent& event) override;

    void open();
    // Catches the mouse again and gives the dragon back to the player.
    void close();
    bool isOpen() const { return shown; }
    // Takes the menu out of the GUI; the match is leaving.
    void remove();

    irr::gui::IGUIElement* root = nullptr;
    irr::gui::IGUIButton* resumeButton = nullptr;
    irr::gui::IGUIButton* backButton = nullptr;
    irr::gui::IGUIButton* quitButton = nullptr;
    irr::gui::IGUIStaticText* noteText = nullptr;

private:
    static const irr::video::SColor textColor;
    static const irr::video::SColor backgroundColor;
    // Five rows: the heading, the note and the three buttons.
    static constexpr int rows = 5;

    void build();
    irr::gui::IGUIStaticText* addText(const wchar_t* text, const irr::core::recti& area,
                                      irr::gui::IGUIFont* font);
    irr::gui::IGUIButton* addButton(const irr::core::recti& area, irr::s32 id, const wchar_t* text,
                                    irr::gui::IGUIFont* font);
    bool onKey(const irr::SEvent::SKeyInput& input);
    bool onClick(irr::s32 id);
    void steerDragon(bool steered);

    BaseGameScene& match;
    GuiGroup group;
    bool shown = false;
    bool keyHeld = false;
};
