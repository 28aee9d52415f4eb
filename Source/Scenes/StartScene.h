#pragma once

#include "GameEngine/BaseScene.h"
#include "Scenes/MatchStandings.h"

#include <irrlicht.h>
#include <memory>
#include <optional>
#include <vector>

class KeyLegend;
class MenuTexts;
class SettingsPanel;
class StartSceneEventReceiver;

// The start menu: choose one to four computer opponents and start a match, open the settings or quit.
class StartScene : public BaseScene
{
public:
    static constexpr irr::s32 startButtonId = 101;
    static constexpr irr::s32 addPlayerButtonId = 102;
    static constexpr irr::s32 removePlayerButtonId = 103;
    static constexpr irr::s32 settingsButtonId = 104;
    static constexpr irr::s32 quitButtonId = 105;
    static constexpr const char* buttonFontPath = "../Assets/Fonts/avenir_LT_14.xml";
    static constexpr const char* countFontPath = "../Assets/Fonts/avenir_LT_36.xml";
    static const irr::video::SColor countColor;

    StartScene();
    ~StartScene() override;

    bool init() override;
    void draw() override;
    void exit() override;

    // The settings panel in place of the menu's buttons and count, and back.
    void openSettings();
    void closeSettings();
    // Ends the game as closing the window does.
    void quit();
    // Where the opponent count is drawn, and how large.
    irr::core::recti countArea() const;

    int aiPlayerCount = 1;
    unsigned maxAiPlayers = 4;
    // Installed in the device while the menu is current. The scene may be replaced from inside the
    // receiver's own OnEvent; the engine keeps a replaced scene until the next frame, so the receiver
    // outlives that call.
    std::unique_ptr<StartSceneEventReceiver> receiver;
    irr::gui::IGUIButton* startButton = nullptr;
    irr::gui::IGUIButton* addPlayerButton = nullptr;
    irr::gui::IGUIButton* removePlayerButton = nullptr;
    irr::gui::IGUIButton* settingsButton = nullptr;
    irr::gui::IGUIButton* quitButton = nullptr;
    irr::gui::IGUIFont* countFont = nullptr;
    std::unique_ptr<SettingsPanel> settingsPanel;
    // How the last match ended, handed over by the match that returns here; none after the first start
    // and after a match that was left early.
    std::optional<MatchStandings> lastMatch;
    std::unique_ptr<MenuTexts> texts;
    std::unique_ptr<KeyLegend> legend;

private:
    // The row below "Start Game": "Settings" under "Remove Player", "Quit" under "Add Player"; it keeps
    // clear of the screen's bottom.
    static constexpr irr::s32 settingsRowTop = 200;
    static constexpr irr::s32 settingsRowHeight = 60;
    static constexpr irr::s32 bottomMargin = 10;

    void showMenu(bool shown);
    std::vector<irr::gui::IGUIButton*> buttons() const;
    irr::gui::IGUIButton* addButton(const irr::core::rect<irr::s32>& rectangle, irr::s32 id,
                                    const wchar_t* text, irr::gui::IGUIFont* font);
    void addButtons();
};
