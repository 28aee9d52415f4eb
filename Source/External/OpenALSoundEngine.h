#pragma once

#include "External/ISoundEngine.h"
#include "External/ListenerOrientation.h"
#include "External/OnceWarning.h"
#include "External/OpenALDevice.h"
#include "External/SoundBufferCache.h"
#include "External/VoicePool.h"

#include <map>
#include <memory>
#include <optional>

// The sound engine on an open OpenAL device. Every call comes from the game's thread; OpenAL mixes on a
// thread of its own that never calls back.
class OpenALSoundEngine : public ISoundEngine
{
public:
    explicit OpenALSoundEngine(std::unique_ptr<OpenALDevice> device);
    ~OpenALSoundEngine() override;
    OpenALSoundEngine(const OpenALSoundEngine&) = delete;
    OpenALSoundEngine& operator=(const OpenALSoundEngine&) = delete;

    ISound* play2D(const char* soundFileName, bool playLooped, bool startPaused, bool track,
                   E_STREAM_MODE streamMode, bool enableSoundEffects) override;
    ISound* play3D(const char* soundFileName, irr::core::vector3df position, bool playLooped,
                   bool startPaused, bool track, E_STREAM_MODE streamMode, bool enableSoundEffects) override;
    void setListenerPosition(const irr::core::vector3df& position, const irr::core::vector3df& lookDirection,
                             const irr::core::vector3df& velocityPerSecond,
                             const irr::core::vector3df& upVector) override;
    void setGains(float musicGain, float effectsGain) override;

    void makeCurrent() { device->makeCurrent(); }

private:
    ISound* play(const char* soundFileName, const std::optional<irr::core::vector3df>& position, bool looped,
                 bool paused, bool track);
    float gainFor(bool looped) const { return looped ? musicGain : effectsGain; }
    void reportAllVoicesLooped();
    void reportStereoPlacedInTheWorld(ALuint buffer, const char* soundFileName);

    // Declared first, so it is released last: the voices and buffers need its context.
    std::unique_ptr<OpenALDevice> device;
    SoundBufferCache buffers;
    VoicePool voices;
    ListenerOrientation orientation;
    float musicGain = 1.0f;
    float effectsGain = 1.0f;
    OnceWarning allVoicesLooped;
    // One per buffer, that is per file.
    std::map<ALuint, OnceWarning> stereoPlacedInTheWorld;
};
