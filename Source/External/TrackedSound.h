#pragma once

#include "External/ISound.h"

#include <cstdint>

class OpenALSoundEngine;
class Voice;

// The handle play2D and play3D return when asked to track. It holds a reference to its engine, so the
// voice it points at outlives it.
class TrackedSound : public ISound
{
public:
    TrackedSound(OpenALSoundEngine* engine, Voice* voice, std::uint64_t serial);
    ~TrackedSound() override;
    TrackedSound(const TrackedSound&) = delete;
    TrackedSound& operator=(const TrackedSound&) = delete;

    void setIsPaused(bool paused) override;
    bool getIsPaused() override;
    void stop() override;
    bool isFinished() override;

private:
    // The voice, ready for OpenAL calls; null once it has gone on to a newer sound.
    Voice* ownVoice();

    OpenALSoundEngine* engine;
    Voice* voice;
    std::uint64_t serial;
};
