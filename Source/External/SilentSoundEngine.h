#pragma once

#include "External/ISoundEngine.h"

// The engine of a machine without a usable audio device: it accepts every call and plays nothing.
class SilentSoundEngine : public ISoundEngine
{
public:
    ISound* play2D(const char* soundFileName, bool playLooped, bool startPaused, bool track,
                   E_STREAM_MODE streamMode, bool enableSoundEffects) override;
    ISound* play3D(const char* soundFileName, irr::core::vector3df position, bool playLooped,
                   bool startPaused, bool track, E_STREAM_MODE streamMode, bool enableSoundEffects) override;
    void setListenerPosition(const irr::core::vector3df& position, const irr::core::vector3df& lookDirection,
                             const irr::core::vector3df& velocityPerSecond,
                             const irr::core::vector3df& upVector) override;
    void setGains(float musicGain, float effectsGain) override;
};
