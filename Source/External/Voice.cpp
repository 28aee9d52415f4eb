#include "External/Voice.h"

#include "External/OpenALSpace.h"

std::unique_ptr<Voice> Voice::create()
{
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR)
        return nullptr;
    return std::make_unique<Voice>(source);
}

Voice::Voice(ALuint source) : source(source)
{
    alSourcef(source, AL_REFERENCE_DISTANCE, referenceDistance);
    alSourcef(source, AL_MAX_DISTANCE, maxDistance);
    alSourcef(source, AL_ROLLOFF_FACTOR, rolloffFactor);
}

Voice::~Voice()
{
    alSourceStop(source);
    alDeleteSources(1, &source);
}

void Voice::start(ALuint buffer, const std::optional<irr::core::vector3df>& position, bool looped,
                  bool paused, std::uint64_t serial, ALfloat gain)
{
    // A source takes a new buffer only when it is not playing.
    if (isBusy())
        stop();
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcei(source, AL_LOOPING, looped ? AL_TRUE : AL_FALSE);
    // A flat sound sits on the listener, where distance and direction do not change it.
    alSourcei(source, AL_SOURCE_RELATIVE, position ? AL_FALSE : AL_TRUE);
    alSourcefv(source, AL_POSITION, toOpenAL(position.value_or(irr::core::vector3df())).data());
    setGain(gain);
    this->looped = looped;
    this->serial = serial;
    heldPaused = paused;
    if (!paused)
        alSourcePlay(source);
}

void Voice::setGain(ALfloat gain)
{
    alSourcef(source, AL_GAIN, gain);
}

void Voice::stop()
{
    heldPaused = false;
    alSourceStop(source);
}

void Voice::setPaused(bool paused)
{
    if (paused == isPaused())
        return;
    if (paused)
    {
        alSourcePause(source);
        return;
    }
    heldPaused = false;
    alSourcePlay(source);
}

bool Voice::isBusy() const
{
    const ALint current = state();
    return heldPaused || current == AL_PLAYING || current == AL_PAUSED;
}

bool Voice::isPaused() const
{
    return heldPaused || state() == AL_PAUSED;
}

ALint Voice::state() const
{
    ALint current = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &current);
    return current;
}
