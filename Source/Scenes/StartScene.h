#pragma once

#include "GameEngine/BaseScene.h"

#include <irrlicht.h>
#include <memory>

class SettingsPanel;
class StartSceneEventReceiver;

// The start menu: choose one to four computer opponents and start a match, or open the settings.
class StartScene : public BaseScene
{
public:
    static constexpr irr::s32 startButtonId = 101;
    static constexpr irr::s32 addPlayerButtonId = 102;
    static constexpr irr::s32 removePlayerButtonId = 103;
    static constexpr irr::s32 settingsButtonId = 104;
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
    irr::gui::IGUIFont* countFont = nullptr;
    std::unique_ptr<SettingsPanel> settingsPanel;

private:
    // The settings button's place in the row below "Start Game"; it keeps clear of the screen's bottom.
    static constexpr irr::s32 settingsRowTop = 200;
    static constexpr irr::s32 settingsRowHeight = 60;
    static constexpr irr::s32 bottomMargin = 10;

    void showMenu(bool shown);
    irr::gui::IGUIButton* addButton(const irr::core::rect<irr::s32>& rectangle, irr::s32 id,
                                    const wchar_t* text, irr::gui::IGUIFont* font);
    void addButtons();
};
