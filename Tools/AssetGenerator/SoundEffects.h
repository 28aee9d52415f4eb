#pragma once

#include "SoundBuffer.h"

#include <string>
#include <vector>

// The game's event sounds: short mono clips (the sound engine places only mono sounds in space),
// each with a character of its own so that a player can tell the events apart by ear.
class SoundEffects
{
public:
    struct Effect
    {
        // The file name under Audio/.
        std::string file;
        SoundBuffer sound;
    };

    static std::vector<Effect> all();

    static SoundBuffer createCamp();
    static SoundBuffer failedCamp();
    static SoundBuffer captureCamp();
    static SoundBuffer lostCamp();
    static SoundBuffer reinforceCamp();
    static SoundBuffer lostUnit();
    static SoundBuffer stunned();
    static SoundBuffer pickupUnit();
    static SoundBuffer skillShot();
};
