#pragma once

#include "External/ISoundEngine.h"

#include <string>
#include <vector>

// A sound engine that plays nothing and remembers the sounds asked for and where the listener was put.
class RecordingSoundEngine : public ISoundEngine
{
public:
    struct PlayCall
    {
        std::string file;
        bool placed;
        irr::core::vector3df position;
        bool looped;
    };

    ISound* play2D(const char* file, bool looped, bool, bool, E_STREAM_MODE, bool) override
    {
        plays.push_back({file, false, {}, looped});
        return nullptr;
    }
    ISound* play3D(const char* file, irr::core::vector3df position, bool looped, bool, bool, E_STREAM_MODE,
                   bool) override
    {
        plays.push_back({file, true, position, looped});
        return nullptr;
    }
    void setListenerPosition(const irr::core::vector3df& position, const irr::core::vector3df& lookDirection,
                             const irr::core::vector3df&, const irr::core::vector3df&) override;
    void setGains(float music, float effects) override
    {
        musicGain = music;
        effectsGain = effects;
        ++gainChanges;
    }

    std::vector<PlayCall> plays;
    int listenerUpdates = 0;
    float musicGain = 1.0f;
    float effectsGain = 1.0f;
    int gainChanges = 0;
    irr::core::vector3df listenerPosition;
    irr::core::vector3df listenerLookDirection;
};
