#include "GameEngine/BaseScene.h"

#include "GameEngine/Console.h"
#include "GameEngine/EventReceiver.h"
#include "GameEngine/GameEngine.h"

BaseScene::~BaseScene() = default;

bool BaseScene::init()
{
    startSceneClock();
    return true;
}

void BaseScene::update()
{
    refreshSceneTime();
}

void BaseScene::draw()
{
    sceneManager->drawAll();
    guiEnvironment->drawAll();
    ++frameCount;
}

void BaseScene::exit()
{
}

bool BaseScene::attachToEngine()
{
    if (!engine)
    {
        Console::error("BaseScene::init : The engine is not initialized");
        return false;
    }
    device = engine->device;
    driver = engine->driver;
    sceneManager = device->getSceneManager();
    guiEnvironment = device->getGUIEnvironment();
    return true;
}

std::shared_ptr<EventReceiver> BaseScene::getEventReceiver() const
{
    return eventReceiver;
}

void BaseScene::startSceneClock()
{
    sceneTime = 0.0f;
    sceneStartTime = timerReading();
}

void BaseScene::refreshSceneTime()
{
    sceneTime = timerReading() - sceneStartTime;
}

float BaseScene::timerReading() const
{
    return static_cast<float>(device->getTimer()->getTime());
}
