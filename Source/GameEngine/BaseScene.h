#pragma once

#include <irrlicht.h>
#include <memory>

class EventReceiver;
class GameEngine;

// One screen of the game with its own update and draw. The engine links it, hands it the frame
// times, and calls init once, update and draw every frame, and exit before deleting it.
class BaseScene
{
public:
    BaseScene() = default;
    virtual ~BaseScene();
    BaseScene(const BaseScene&) = delete;
    BaseScene& operator=(const BaseScene&) = delete;

    virtual bool init();
    virtual void update();
    virtual void draw();
    virtual void exit();

    // Copies the engine's device, driver, scene manager and GUI into the scene.
    bool attachToEngine();
    std::shared_ptr<EventReceiver> getEventReceiver() const;

    GameEngine* engine = nullptr;
    irr::IrrlichtDevice* device = nullptr;
    std::shared_ptr<EventReceiver> eventReceiver;
    irr::video::IVideoDriver* driver = nullptr;
    irr::scene::ISceneManager* sceneManager = nullptr;
    irr::gui::IGUIEnvironment* guiEnvironment = nullptr;
    float frameDelta = 0.0f;
    float totalTime = 0.0f;
    float sceneTime = 0.0f;
    float sceneStartTime = 0.0f;
    int frameCount = 0;

protected:
    // The two default steps of init and update, for subclasses that override those.
    void startSceneClock();
    void refreshSceneTime();
    float timerReading() const;
};
