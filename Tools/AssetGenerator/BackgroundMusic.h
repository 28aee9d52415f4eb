#pragma once

#include "SoundBuffer.h"

// The match's music: sixteen bars in A minor at 100 beats a minute (38.4 s), stereo, for a
// player that loops it. Every note that rings past the last bar is mixed into the first, so the
// loop has no click and no gap.
class BackgroundMusic
{
public:
    static constexpr double beatsPerMinute = 100.0;
    static constexpr int bars = 16;

    static SoundBuffer compose();
};
