#pragma once

#include "GameEngine/GameEngine.h"

#include <irrlicht.h>
#include <memory>

// The headless harness. It runs the real engine on Irrlicht's null driver (no window), with the
// device timer stopped at 0: before each frame the harness sets the timer to the next reading, so
// every frame has an exact length. Input is posted through the device, the way the window would
// deliver it, and reaches the installed receiver, then the GUI, then the scene manager.
class HeadlessGame
{
public:
    explicit HeadlessGame(irr::core::dimension2du windowSize = {1920, 1080},
                          irr::video::E_DRIVER_TYPE driverType = irr::video::EDT_NULL);
    // Any settings; the timer is always stopped.
    explicit HeadlessGame(GameEngine::Settings settings);

    // Sets the first scene and runs the engine's init; returns its result.
    bool start(std::unique_ptr<BaseScene> firstScene, bool telemetry = false);
    // Advances the timer by `frameLength` ms, then runs one pass of the frame loop.
    bool runFrame(irr::u32 frameLength);
    // Runs `count` frames of `frameLength` ms each; stops early if the window closed.
    bool runFrames(int count, irr::u32 frameLength);
    // Closes the window and lets the engine's loop end and shut down.
    void closeWindow();

    bool postEvent(const irr::SEvent& event);
    bool postKey(irr::EKEY_CODE key, bool pressedDown);
    // A left click (press and release) at a screen position, as the mouse would make it.
    void clickAt(irr::core::position2di position);
    // The GUI's "button clicked" event for `button`, as the GUI environment would send it.
    bool postButtonClicked(irr::gui::IGUIElement* button);

    GameEngine& engine() { return *gameEngine; }
    irr::IrrlichtDevice* device() { return gameEngine->device; }
    irr::u32 now() const { return time; }

    template <class Scene>
    Scene* currentSceneAs()
    {
        return dynamic_cast<Scene*>(gameEngine->getCurrentScene());
    }

private:
    std::unique_ptr<GameEngine> gameEngine;
    irr::u32 time = 0;
};
