#include "Support/TestMatch.h"

TestMatch::TestMatch(RecordingSoundEngine* sound, irr::u32 opponents) : sound(sound)
{
    aiPlayerCount = opponents;
}

ISoundEngine* TestMatch::createSoundEngine()
{
    sound->grab();
    return sound;
}
