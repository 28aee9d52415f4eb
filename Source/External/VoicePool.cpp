#include "External/VoicePool.h"

Voice* VoicePool::acquire()
{
    if (Voice* idle = findIdle())
        return idle;
    if (Voice* added = addVoice())
        return added;
    return findOldestOneShot();
}

Voice* VoicePool::findIdle() const
{
    for (const auto& voice : voices)
    {
        if (!voice->isBusy())
            return voice.get();
    }
    return nullptr;
}

Voice* VoicePool::addVoice()
{
    if (voices.size() >= maxVoices)
        return nullptr;
    std::unique_ptr<Voice> voice = Voice::create();
    if (!voice)
        return nullptr;
    voices.push_back(std::move(voice));
    return voices.back().get();
}

Voice* VoicePool::findOldestOneShot() const
{
    Voice* oldest = nullptr;
    for (const auto& voice : voices)
    {
        if (!voice->isLooped() && (!oldest || voice->getSerial() < oldest->getSerial()))
            oldest = voice.get();
    }
    return oldest;
}

void VoicePool::forEach(const std::function<void(Voice&)>& visit) const
{
    for (const auto& voice : voices)
        visit(*voice);
}
