#pragma once

#include "GameEngine/SettingField.h"

#include <array>
#include <vector>

// What the player sets in the menu's settings panel and the settings file keeps between runs. The values
// here are the defaults; fields() is the one table of them, as the file names and explains them.
struct PlayerSettings
{
    static constexpr int mostVolume = 100;
    static constexpr double leastMouseSensitivity = 0.1;
    static constexpr double mostMouseSensitivity = 5.0;
    static constexpr std::array<unsigned, 4> maxFpsChoices{0, 60, 120, 144};

    // Percent, 0 (silent) to 100.
    int musicVolume = 100;
    int effectsVolume = 100;
    // Times the camera's usual turn for the same mouse movement.
    double mouseSensitivity = 1.0;
    // The whole screen at the desktop's resolution, from the next start.
    bool fullscreen = false;
    // Frames per second at most; 0 is no cap.
    unsigned maxFps = 0;

    static const std::vector<SettingField>& fields();

    // A volume as the OpenAL gain that sounds that loud: loudness follows the square of the gain's share
    // more closely than the share itself, so each step of the slider is heard alike.
    static float gainOf(int volumePercent);
    float musicGain() const { return gainOf(musicVolume); }
    float effectsGain() const { return gainOf(effectsVolume); }

    bool operator==(const PlayerSettings& other) const;
    bool operator!=(const PlayerSettings& other) const { return !(*this == other); }
};
