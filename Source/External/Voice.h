#pragma once

#include <AL/al.h>
#include <cstdint>
#include <irrlicht.h>
#include <memory>
#include <optional>

// One OpenAL source that plays one sound after another. Each start gets a serial number, so that a
// handle to an earlier sound can tell that the voice has moved on.
class Voice
{
public:
    // Null when OpenAL has no more sources to give. Needs the engine's context current, as does every
    // other operation.
    static std::unique_ptr<Voice> create();

    explicit Voice(ALuint source);
    ~Voice();
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    // Stops what the voice plays and starts the buffer: at `position` in the world, or flat at the
    // listener when there is none.
    void start(ALuint buffer, const std::optional<irr::core::vector3df>& position, bool looped, bool paused,
               std::uint64_t serial, ALfloat gain);
    void setGain(ALfloat gain);
    void stop();
    void setPaused(bool paused);

    // Playing, paused, or started paused and not yet resumed.
    bool isBusy() const;
    bool isPaused() const;
    bool isLooped() const { return looped; }
    std::uint64_t getSerial() const { return serial; }

private:
    // With the inverse clamped distance model, these suit an arena about 100 units across seen from a camera
    // 10 to 30 units behind its player: full volume up to the camera's usual distance, about a sixth at the
    // far wall, and no quieter beyond it.
    static constexpr ALfloat referenceDistance = 15.0f;
    static constexpr ALfloat maxDistance = 150.0f;
    static constexpr ALfloat rolloffFactor = 1.0f;

    ALint state() const;

    ALuint source;
    bool looped = false;
    // OpenAL cannot pause a source that has not started, so a sound started paused waits here.
    bool heldPaused = false;
    std::uint64_t serial = 0;
};
