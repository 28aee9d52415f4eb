#pragma once

#include "External/ISoundEngine.h"

#include <string>
#include <vector>

// A sound engine that plays nothing and remembers which sounds the game asked for, flat or placed.
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

    ISound* play2D(const char* soundFileName, bool playLooped, bool startPaused, bool track,
                   E_STREAM_MODE streamMode, bool enableSoundEffects) override;
    ISound* play3D(const char* soundFileName, irr::core::vector3df position, bool playLooped,
                   bool startPaused, bool track, E_STREAM_MODE streamMode, bool enableSoundEffects) override;
    void setListenerPosition(const irr::core::vector3df& position, const irr::core::vector3df& lookDirection,
                             const irr::core::vector3df& velocityPerSecond,
                             const irr::core::vector3df& upVector) override;

    std::vector<PlayCall> plays;
    int listenerUpdates = 0;
    irr::core::vector3df listenerPosition;
    irr::core::vector3df listenerLookDirection;
};
