#include "External/TrackedSound.h"

#include "External/OpenALSoundEngine.h"
#include "External/Voice.h"

TrackedSound::TrackedSound(OpenALSoundEngine* engine, Voice* voice, std::uint64_t serial)
    : engine(engine), voice(voice), serial(serial)
{
    engine->grab();
}

TrackedSound::~TrackedSound()
{
    engine->drop();
}

void TrackedSound::setIsPaused(bool paused)
{
    if (Voice* own = ownVoice())
        own->setPaused(paused);
}

bool TrackedSound::getIsPaused()
{
    Voice* own = ownVoice();
    return own && own->isPaused();
}

void TrackedSound::stop()
{
    if (Voice* own = ownVoice())
        own->stop();
}

bool TrackedSound::isFinished()
{
    Voice* own = ownVoice();
    return !own || !own->isBusy();
}

Voice* TrackedSound::ownVoice()
{
    if (voice->getSerial() != serial)
        return nullptr;
    engine->makeCurrent();
    return voice;
}
