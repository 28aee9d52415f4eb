#pragma once

#include "GameEngine/BaseScene.h"

#include <irrlicht.h>
#include <memory>

class StartSceneEventReceiver;

// The start menu: choose one to four computer opponents and start a match.
class StartScene : public BaseScene
{
public:
    static constexpr irr::s32 startButtonId = 101;
    static constexpr irr::s32 addPlayerButtonId = 102;
    static constexpr irr::s32 removePlayerButtonId = 103;
    static constexpr const char* buttonFontPath = "../Assets/Fonts/avenir_LT_14.xml";
    static constexpr const char* countFontPath = "../Assets/Fonts/avenir_LT_36.xml";
    static const irr::video::SColor countColor;

    StartScene();
    ~StartScene() override;

    bool init() override;
    void draw() override;
    void exit() override;

    int aiPlayerCount = 1;
    unsigned maxAiPlayers = 4;
    // Installed in the device while the menu is current. The scene may be replaced from inside the
    // receiver's own OnEvent; the engine keeps a replaced scene until the next frame, so the receiver
    // outlives that call.
    std::unique_ptr<StartSceneEventReceiver> receiver;
    irr::gui::IGUIButton* startButton = nullptr;
    irr::gui::IGUIButton* addPlayerButton = nullptr;
    irr::gui::IGUIButton* removePlayerButton = nullptr;
    irr::gui::IGUIFont* countFont = nullptr;

private:
    irr::gui::IGUIButton* addButton(const irr::core::rect<irr::s32>& rectangle, irr::s32 id,
                                    const wchar_t* text, irr::gui::IGUIFont* font);
    void addButtons();
};
