#include "External/OpenALSoundEngine.h"

#include "External/OpenALSpace.h"
#include "External/TrackedSound.h"
#include "External/VectorChecks.h"
#include "GameEngine/Console.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace
{
bool isStereo(ALuint buffer)
{
    ALint channels = 1;
    alGetBufferi(buffer, AL_CHANNELS, &channels);
    return channels > 1;
}

// A gain OpenAL would reject keeps the last one; gains above 1 would only clip.
float usableGain(float gain, float last)
{
    return std::isfinite(gain) ? std::clamp(gain, 0.0f, 1.0f) : last;
}
}  // namespace

OpenALSoundEngine::OpenALSoundEngine(std::unique_ptr<OpenALDevice> device) : device(std::move(device))
{
    makeCurrent();
    // The voices' distances are chosen for this model.
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alListenerfv(AL_ORIENTATION, orientation.getOpenALValues().data());
}

OpenALSoundEngine::~OpenALSoundEngine()
{
    // The members release their sources and buffers in this context.
    makeCurrent();
}

ISound* OpenALSoundEngine::play2D(const char* soundFileName, bool playLooped, bool startPaused, bool track,
                                  E_STREAM_MODE, bool)
{
    return play(soundFileName, std::nullopt, playLooped, startPaused, track);
}

ISound* OpenALSoundEngine::play3D(const char* soundFileName, irr::core::vector3df position, bool playLooped,
                                  bool startPaused, bool track, E_STREAM_MODE, bool)
{
    // A position OpenAL would reject would leave the voice where its last sound was; flat is nearer.
    if (!VectorChecks::isFinite(position))
        return play(soundFileName, std::nullopt, playLooped, startPaused, track);
    return play(soundFileName, position, playLooped, startPaused, track);
}

void OpenALSoundEngine::setListenerPosition(const irr::core::vector3df& position,
                                            const irr::core::vector3df& lookDirection,
                                            const irr::core::vector3df& velocityPerSecond,
                                            const irr::core::vector3df& upVector)
{
    makeCurrent();
    if (VectorChecks::isFinite(position))
        alListenerfv(AL_POSITION, toOpenAL(position).data());
    if (VectorChecks::isFinite(velocityPerSecond))
        alListenerfv(AL_VELOCITY, toOpenAL(velocityPerSecond).data());
    if (orientation.update(lookDirection, upVector))
        alListenerfv(AL_ORIENTATION, orientation.getOpenALValues().data());
}

void OpenALSoundEngine::setGains(float music, float effects)
{
    makeCurrent();
    musicGain = usableGain(music, musicGain);
    effectsGain = usableGain(effects, effectsGain);
    voices.forEach([this](Voice& voice) { voice.setGain(gainFor(voice.isLooped())); });
}

ISound* OpenALSoundEngine::play(const char* soundFileName,
                                const std::optional<irr::core::vector3df>& position, bool looped, bool paused,
                                bool track)
{
    makeCurrent();
    const ALuint buffer = buffers.find(soundFileName ? soundFileName : "");
    if (buffer == 0)
        return nullptr;
    if (position && isStereo(buffer))
        reportStereoPlacedInTheWorld(buffer, soundFileName);
    Voice* voice = voices.acquire();
    if (!voice)
    {
        reportAllVoicesLooped();
        return nullptr;
    }
    const std::uint64_t serial = voices.nextSerial();
    voice->start(buffer, position, looped, paused, serial, gainFor(looped));
    return track ? new TrackedSound(this, voice, serial) : nullptr;
}

void OpenALSoundEngine::reportAllVoicesLooped()
{
    const std::size_t count = voices.getVoiceCount();
    allVoicesLooped.warn(count == 0 ? std::string("The audio device gives no voices; sounds are not played")
                                    : "All " + std::to_string(count) +
                                          " voices play looped sounds; further sounds are not played");
}

void OpenALSoundEngine::reportStereoPlacedInTheWorld(ALuint buffer, const char* soundFileName)
{
    // OpenAL places only mono buffers; a stereo one plays as a flat sound, at full volume everywhere.
    stereoPlacedInTheWorld[buffer].warn(
        std::string("The sound \"") + soundFileName +
        "\" is stereo and plays flat; only mono sounds take a place in the world");
}
