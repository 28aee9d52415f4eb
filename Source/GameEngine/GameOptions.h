#pragma once

#include "GameEngine/GameEngine.h"

#include <functional>
#include <irrlicht.h>
#include <optional>
#include <string>
#include <vector>

// What the player asked for on the game's command line.
class GameOptions
{
public:
    static constexpr const char* command = "quillmarch";
    // The plain word that turns telemetry on, in any position among the options.
    static constexpr const char* telemetryWord = "ws";
    // The window sizes --window accepts.
    static constexpr irr::u32 narrowestWindow = 1024;
    static constexpr irr::u32 lowestWindow = 576;
    static constexpr irr::u32 widestWindow = 7680;
    static constexpr irr::u32 highestWindow = 4320;

    // The most frames per second the game draws, 0 for as many as it can.
    static constexpr unsigned mostFps = 1000;

    bool telemetry = false;
    // A window of this size, whatever the settings file says.
    std::optional<irr::core::dimension2du> window;
    // The whole screen, whatever the settings file says.
    bool fullscreen = false;
    // A frame cap (0 none), whatever the settings file says.
    std::optional<unsigned> maxFps;

    // The options, or nothing with `exitStatus` set when the program should end at once (after
    // --help, --version or a bad option, each already said on the console).
    static std::optional<GameOptions> read(int argc, const char* const argv[], int& exitStatus);
    // "WIDTHxHEIGHT" within the sizes above, or nothing.
    static std::optional<irr::core::dimension2du> windowSizeFrom(const std::string& text);

    // This run's window in `settings`: the command line's, else the one the player saved in
    // `settings.player`, else the window that fits the desktop. The fullscreen window takes the desktop's
    // resolution. `desktop` is asked only when it is needed.
    void chooseWindow(GameEngine::Settings& settings,
                      const std::function<irr::core::dimension2du()>& desktop) const;

private:
    // Says on the console what the plain words decided (nothing without any).
    void readWords(const std::vector<std::string>& words);
};
