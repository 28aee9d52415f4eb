#pragma once

#include "External/ISound.h"

#include <irrlicht.h>

enum E_SOUND_OUTPUT_DRIVER
{
    ESOD_AUTO_DETECT = 0
};

enum E_STREAM_MODE
{
    ESM_AUTO_DETECT = 0
};

// The engine's default option set; every sound engine here mixes on its own thread, so the flags change
// nothing.
constexpr int ESEO_DEFAULT_OPTIONS = 61;

// Plays sound files flat (2-D) or placed in the world (3-D). Reference counted like the engine library's
// objects: the creator holds one reference, and the last drop() stops every sound and releases the device.
class ISoundEngine : public virtual irr::IReferenceCounted
{
public:
    // Returns a grabbed ISound only when `track` is true (the caller drops it); null otherwise, and null
    // when the file cannot be played.
    virtual ISound* play2D(const char* soundFileName, bool playLooped = false, bool startPaused = false,
                           bool track = false, E_STREAM_MODE streamMode = ESM_AUTO_DETECT,
                           bool enableSoundEffects = false) = 0;
    virtual ISound* play3D(const char* soundFileName, irr::core::vector3df position, bool playLooped = false,
                           bool startPaused = false, bool track = false,
                           E_STREAM_MODE streamMode = ESM_AUTO_DETECT, bool enableSoundEffects = false) = 0;
    // A zero, non-finite or otherwise unusable look direction or up vector keeps the last good
    // orientation.
    virtual void setListenerPosition(const irr::core::vector3df& position,
                                     const irr::core::vector3df& lookDirection,
                                     const irr::core::vector3df& velocityPerSecond = {0, 0, 0},
                                     const irr::core::vector3df& upVector = {0, 1, 0}) = 0;
    // OpenAL gains, 0 (silent) to 1 (as recorded): one for the music, that is every looped sound, one for
    // every other sound. They apply at once to what plays and to what starts later. A sound at gain 0 still
    // plays, unheard, for as long as it would be heard.
    virtual void setGains(float musicGain, float effectsGain) = 0;
};

// Opens the named (or default) audio device. Never returns null: with no usable device it writes one
// warning and returns an engine that plays nothing, so the match goes on silently.
ISoundEngine* createIrrKlangDevice(E_SOUND_OUTPUT_DRIVER driver = ESOD_AUTO_DETECT,
                                   int options = ESEO_DEFAULT_OPTIONS, const char* deviceName = nullptr,
                                   const char* sdkVersion = "1.5.0");
