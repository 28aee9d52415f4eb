#pragma once

#include "External/Voice.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The voices of one engine, made as they are needed up to a fixed number.
class VoicePool
{
public:
    // OpenAL Soft gives 256 sources by default; a match never has more than a few dozen sounds worth
    // hearing at once, and every voice costs mixing time.
    static constexpr std::size_t maxVoices = 32;

    // A voice for a new sound: a finished one, a new one, or else the one playing the oldest one-shot
    // sound; looped music is never cut. Null when every voice holds a looped sound.
    Voice* acquire();
    // Numbers the starts, so the oldest sound can be found and old handles told apart.
    std::uint64_t nextSerial() { return ++lastSerial; }
    void forEach(const std::function<void(Voice&)>& visit) const;
    // Fewer than maxVoices when OpenAL gave fewer sources.
    std::size_t getVoiceCount() const { return voices.size(); }

private:
    Voice* findIdle() const;
    Voice* addVoice();
    Voice* findOldestOneShot() const;

    std::vector<std::unique_ptr<Voice>> voices;
    std::uint64_t lastSerial = 0;
};
