#include "GameEngine/PlayerSettings.h"

#include <algorithm>

const std::vector<SettingField>& PlayerSettings::fields()
{
    static const std::vector<SettingField> table{
        {"music_volume", "music volume in percent, 0 (silent) to 100",
         SettingField::WholeNumber{&PlayerSettings::musicVolume, 0, mostVolume}},
        {"effects_volume", "sound effects volume in percent, 0 (silent) to 100",
         SettingField::WholeNumber{&PlayerSettings::effectsVolume, 0, mostVolume}},
        {"mouse_sensitivity", "how far the mouse turns the camera, 0.1 to 5 times the usual",
         SettingField::Number{&PlayerSettings::mouseSensitivity, leastMouseSensitivity,
                              mostMouseSensitivity}},
        {"fullscreen", "true fills the screen, false plays in a window; read at start",
         SettingField::Switch{&PlayerSettings::fullscreen}},
        {"max_fps", "frames per second at most: 0 (no cap), 60, 120 or 144",
         SettingField::Choice{&PlayerSettings::maxFps, {maxFpsChoices.begin(), maxFpsChoices.end()}}},
    };
    return table;
}

float PlayerSettings::gainOf(int volumePercent)
{
    const float share = static_cast<float>(std::clamp(volumePercent, 0, mostVolume)) / mostVolume;
    return share * share;
}

bool PlayerSettings::operator==(const PlayerSettings& other) const
{
    const std::vector<SettingField>& all = fields();
    return std::all_of(all.begin(), all.end(),
                       [&](const SettingField& field) { return field.sameIn(*this, other); });
}
