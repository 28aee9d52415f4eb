#include "GameEngine/GameEngine.h"

#include "External/ISoundEngine.h"
#include "External/SilentSoundEngine.h"
#include "GameEngine/CloseRequest.h"
#include "GameEngine/Console.h"
#include "GameEngine/SettingsFile.h"

#include <algorithm>
#include <iostream>

const irr::video::SColor GameEngine::clearColor(255, 70, 70, 70);

GameEngine::GameEngine() : GameEngine(Settings())
{
}

GameEngine::GameEngine(const Settings& settings)
    : random(settings.calendarClock ? RandomSource(settings.calendarClock) : RandomSource()),
      settings(settings), playerSettings(settings.player), pacer(settings.maxFps)
{
}

GameEngine::~GameEngine()
{
    shutdown();
}

void GameEngine::setFirstScene(std::unique_ptr<BaseScene> scene)
{
    makeCurrent(std::move(scene));
}

bool GameEngine::init(bool telemetry)
{
    telemetryEnabled = telemetry;
    if (telemetry && !openTelemetry())
        return false;
    if (!openWindow())
        return false;
    startTime = timerReading();
    device->setWindowCaption(windowCaption);
    if (!currentScene)
    {
        Console::error("There is no current scene created");
        return false;
    }
    if (currentScene->attachToEngine())
        currentScene->init();
    return true;
}

bool GameEngine::openTelemetry()
{
    wsc = settings.connectTelemetry(settings.telemetryEndpoint);
    if (wsc)
        return true;
    std::cerr << "ERROR: wsc is null in Source/GameEngine/GameEngine: no telemetry connection to "
              << settings.telemetryEndpoint << ", so the game does not start\n"
              << std::flush;
    return false;
}

void GameEngine::serviceTelemetry()
{
    if (!telemetryEnabled || !wsc || wsc->getReadyState() == wsclient::WebSocket::CLOSED)
        return;
    wsc->poll(0);
    // The observer's messages have no effect on the game.
    wsc->dispatch([](const std::string& /*message*/) {});
}

void GameEngine::sendTelemetry(const std::string& message)
{
    if (telemetryEnabled && wsc)
        wsc->send(message);
}

bool GameEngine::openWindow()
{
    irr::SIrrlichtCreationParameters parameters;
    parameters.DriverType = settings.driverType;
    parameters.WindowSize = settings.windowSize;
    parameters.Bits = 32;
    parameters.Fullscreen = settings.fullscreen;
    parameters.Stencilbuffer = false;
    parameters.Vsync = false;
    parameters.EventReceiver = &eventReceiver;
    device = irr::createDeviceEx(parameters);
    if (!device)
        return false;
    driver = device->getVideoDriver();
    if (!driver)
        return false;
    if (settings.stoppedTimer)
    {
        device->getTimer()->stop();
        device->getTimer()->setTime(0);
    }
    return true;
}

ISoundEngine* GameEngine::openSoundEngine() const
{
    if (settings.openSoundEngine)
        return settings.openSoundEngine();
    if (!settings.sound)
        return new SilentSoundEngine();
    return createIrrKlangDevice(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.5.0");
}

void GameEngine::changePlayerSettings(const PlayerSettings& changed)
{
    if (changed == playerSettings)
        return;
    // A frame cap given on the command line holds until the player picks another.
    if (changed.maxFps != playerSettings.maxFps)
    {
        settings.maxFps = changed.maxFps;
        pacer.setMaxFps(changed.maxFps);
    }
    playerSettings = changed;
    unsavedSettings = true;
}

void GameEngine::savePlayerSettings()
{
    if (!unsavedSettings || !settings.settingsFile)
        return;
    // A save that fails is reported where it fails; the player's next change tries again.
    settings.settingsFile->save(playerSettings);
    unsavedSettings = false;
}

void GameEngine::run(bool /*telemetry*/)
{
    while (runFrame())
    {
    }
    shutdown();
}

bool GameEngine::runFrame()
{
    retiredScenes.clear();
    if (device && CloseRequest::take())
        device->closeDevice();
    if (!device || !currentScene || !device->run())
        return false;
    serviceTelemetry();
    const irr::u32 now = timerReading();
    // The first frame of a new scene has no time behind it: after a change made from an input event
    // the last frame's end would lie before the old scene's, and players would leap across the arena.
    frameDelta = firstFrameOfScene ? 0 : now - lastFrameTime;
    firstFrameOfScene = false;
    elapsedTime = now - startTime;
    handTimesToScene(std::min(frameDelta, longestStep));
    currentScene->update();
    driver->beginScene(true, true, clearColor);
    currentScene->draw();
    driver->endScene();
    lastFrameTime = timerReading();
    pacer.endFrame();
    return true;
}

void GameEngine::shutdown()
{
    if (currentScene && currentScene->device)
        currentScene->exit();
    // The device must not point at a receiver that goes with its scene.
    if (device)
        device->setEventReceiver(&eventReceiver);
    // Scenes go while the device still exists: their destructors may release engine objects.
    currentScene.reset();
    retiredScenes.clear();
    wsc.reset();
    if (device)
        device->drop();
    device = nullptr;
    driver = nullptr;
}

void GameEngine::quit()
{
    if (device)
        device->closeDevice();
}

bool GameEngine::changeScene(std::unique_ptr<BaseScene> scene)
{
    if (!scene)
        return false;
    if (currentScene)
    {
        if (settings.sceneLeaving)
            settings.sceneLeaving(*currentScene);
        currentScene->exit();
        retiredScenes.push_back(std::move(currentScene));
    }
    // Until the new scene installs a receiver of its own, input goes to the engine's.
    if (device)
        device->setEventReceiver(&eventReceiver);
    makeCurrent(std::move(scene));
    firstFrameOfScene = true;
    if (!currentScene->attachToEngine())
        return false;
    handTimesToScene(0);
    return currentScene->init();
}

void GameEngine::makeCurrent(std::unique_ptr<BaseScene> scene)
{
    currentScene = std::move(scene);
    currentScene->engine = this;
    frameDelta = 0;
    lastFrameTime = 0;
}

void GameEngine::handTimesToScene(irr::u32 sceneFrameDelta)
{
    currentScene->frameDelta = static_cast<float>(sceneFrameDelta);
    currentScene->totalTime = static_cast<float>(elapsedTime);
}

irr::u32 GameEngine::timerReading() const
{
    return device->getTimer()->getTime();
}
