#pragma once

#include "GameEngine/BaseScene.h"
#include "GameEngine/EventReceiver.h"
#include "GameEngine/FramePacer.h"
#include "GameEngine/PlayerSettings.h"
#include "GameEngine/RandomSource.h"
#include "Network/WebSocket.h"

#include <functional>
#include <irrlicht.h>
#include <memory>
#include <string>
#include <vector>

class ISoundEngine;
class SettingsFile;

// Owns the window, the current scene and the telemetry connection, and runs the frame loop.
class GameEngine
{
public:
    static constexpr const wchar_t* windowCaption = L"Quillmarch";
    // The most game time one frame hands the scene, in ms. A longer frame (the window dragged, the
    // machine suspended, a debugger stop) moves the game on by this much only, so that nothing leaps:
    // in 100 ms a dash carries a player 20 along each key held, a walk at most 3, and a ring grows 0.1 per
    // unit of its camp.
    // It is 10 frames per second, the slowest at which the game is still played and its rules checked,
    // so a frame of any rate worth playing at passes whole. The match clock reads the timer itself and
    // still ends the match on time.
    static constexpr irr::u32 longestStep = 100;

    // How the device is made. The game always asks for OpenGL; tests and benchmarks run the same
    // engine on the null driver, with the timer stopped so that they set the time of every frame.
    struct Settings
    {
        irr::video::E_DRIVER_TYPE driverType = irr::video::EDT_OPENGL;
        irr::core::dimension2du windowSize{1920, 1080};
        // The whole screen, at windowSize (the desktop's resolution in the game).
        bool fullscreen = false;
        // Frames per second at most; 0 leaves the loop uncapped.
        unsigned maxFps = 0;
        bool stoppedTimer = false;
        std::string telemetryEndpoint = "ws://localhost:1337";
        // Opens the telemetry connection; tests may put a recording connection here.
        std::function<std::unique_ptr<wsclient::WebSocket>(const std::string& endpoint)> connectTelemetry =
            [](const std::string& endpoint) { return wsclient::WebSocket::fromUrl(endpoint, ""); };
        // Matches play through the audio device; tools without a listener turn it off.
        bool sound = true;
        // Where scenes get a sound engine; empty opens the audio device (a silent engine without `sound`).
        std::function<ISoundEngine*()> openSoundEngine;
        // The player's settings at start: in the game, those of the settings file.
        PlayerSettings player;
        // Where the player's changes are kept for the next run; none keeps them for this run alone.
        SettingsFile* settingsFile = nullptr;
        // The calendar clock that seeds the game's chance; empty means the real one.
        RandomSource::CalendarClock calendarClock;
        // Told of every scene just before it leaves, while it still holds everything: tools read a
        // finished match's results here.
        std::function<void(BaseScene& leaving)> sceneLeaving;
    };

    GameEngine();
    explicit GameEngine(const Settings& settings);
    ~GameEngine();
    GameEngine(const GameEngine&) = delete;
    GameEngine& operator=(const GameEngine&) = delete;

    // Makes `scene` current before init; it is initialised by init.
    void setFirstScene(std::unique_ptr<BaseScene> scene);
    bool init(bool telemetry);
    // Runs frames until the window closes, then shuts down.
    void run(bool telemetry);
    // One pass of the frame loop; false once the window has closed.
    bool runFrame();
    void shutdown();
    // Ends the game after this frame, the way closing the window does.
    void quit();
    bool changeScene(std::unique_ptr<BaseScene> scene);

    // Hands a message to the telemetry connection; nothing happens while telemetry is off.
    void sendTelemetry(const std::string& message);

    // A new sound engine, with one reference for the caller; never null.
    ISoundEngine* openSoundEngine() const;

    // The player's settings: those given at start, then as the settings panel changed them. The command
    // line may have chosen otherwise for this run (the window, the frame cap); those choices are not here.
    const PlayerSettings& getPlayerSettings() const { return playerSettings; }
    // The settings panel's change: a new frame cap applies from the next frame, the volumes and the mouse
    // from the next sound engine and match. Kept until savePlayerSettings.
    void changePlayerSettings(const PlayerSettings& changed);
    // Writes the player's changes to the settings file, if there were any and there is a file.
    void savePlayerSettings();

    BaseScene* getCurrentScene() const { return currentScene.get(); }
    wsclient::WebSocket* getTelemetryConnection() const { return wsc.get(); }
    const Settings& getSettings() const { return settings; }

    bool telemetryEnabled = false;
    irr::u32 startTime = 0;
    irr::u32 elapsedTime = 0;
    irr::u32 lastFrameTime = 0;
    irr::u32 frameDelta = 0;
    irr::IrrlichtDevice* device = nullptr;
    irr::video::IVideoDriver* driver = nullptr;
    EventReceiver eventReceiver;
    RandomSource random;

private:
    static const irr::video::SColor clearColor;

    bool openTelemetry();
    void serviceTelemetry();
    bool openWindow();
    void makeCurrent(std::unique_ptr<BaseScene> scene);
    void handTimesToScene(irr::u32 sceneFrameDelta);
    irr::u32 timerReading() const;

    Settings settings;
    PlayerSettings playerSettings;
    bool unsavedSettings = false;
    FramePacer pacer;
    std::unique_ptr<wsclient::WebSocket> wsc;
    std::unique_ptr<BaseScene> currentScene;
    bool firstFrameOfScene = false;
    // A replaced scene lives until the next frame begins: it may have asked for the change from
    // inside its own update, draw or event handler, which must be able to return safely.
    std::vector<std::unique_ptr<BaseScene>> retiredScenes;
};
