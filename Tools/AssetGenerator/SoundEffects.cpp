#include "SoundEffects.h"

#include "ToneMixer.h"

#include <cmath>

namespace
{
using Waveform = ToneMixer::Waveform;
constexpr double peak = 0.9;

double semitones(double frequency, int steps)
{
    return frequency * std::pow(2.0, steps / 12.0);
}

SoundBuffer finished(ToneMixer& mixer)
{
    mixer.normalise(peak);
    return mixer.sound();
}
}  // namespace

std::vector<SoundEffects::Effect> SoundEffects::all()
{
    return {{"CreateCamp.wav", createCamp()},
            {"FailedCamp.wav", failedCamp()},
            {"CaptureCamp.wav", captureCamp()},
            {"LostCamp.wav", lostCamp()},
            {"ReinforceCamp.wav", reinforceCamp()},
            {"LostUnit.wav", lostUnit()},
            {"Stunned.wav", stunned()},
            {"PickupUnit.wav", pickupUnit()},
            {"SkillShot.wav", skillShot()}};
}

SoundBuffer SoundEffects::createCamp()
{
    // A rising major arpeggio of bells: something was built.
    ToneMixer mixer(0.8, 1, false);
    const double root = 523.25;
    const int steps[] = {0, 4, 7, 12};
    for (int k = 0; k < 4; ++k)
        mixer.add({0.09 * k, 0.05, semitones(root, steps[k]), 0.0, Waveform::Bell, 0.5, 0.004, 0.45, 3.0});
    return finished(mixer);
}

SoundBuffer SoundEffects::failedCamp()
{
    // Two low buzzes going down: refused.
    ToneMixer mixer(0.45, 1, false);
    mixer.add({0.0, 0.12, 220.0, 0.0, Waveform::Square, 0.5, 0.005, 0.04});
    mixer.add({0.0, 0.12, 223.0, 0.0, Waveform::Square, 0.3, 0.005, 0.04});
    mixer.add({0.2, 0.16, 165.0, 0.0, Waveform::Square, 0.5, 0.005, 0.06});
    mixer.add({0.2, 0.16, 167.5, 0.0, Waveform::Square, 0.3, 0.005, 0.06});
    return finished(mixer);
}

SoundBuffer SoundEffects::captureCamp()
{
    // A short brass fanfare over a drum hit: a camp changes hands.
    ToneMixer mixer(1.0, 1, false);
    mixer.add(ToneMixer::Noise{0.0, 0.05, 0.5, 0.002, 0.15, 0.6, 0.1, 0.0, 7});
    const double notes[] = {392.0, 523.25, 659.25};
    for (int k = 0; k < 3; ++k)
        mixer.add({0.1 * k, 0.07, notes[k], 0.0, Waveform::Saw, 0.35, 0.01, 0.04});
    mixer.add({0.3, 0.35, 783.99, 0.0, Waveform::Saw, 0.4, 0.02, 0.3, 0.0, 5.5, 0.01});
    return finished(mixer);
}

SoundBuffer SoundEffects::lostCamp()
{
    // A slow falling minor line: your camp is gone.
    ToneMixer mixer(1.3, 1, false);
    const double notes[] = {659.25, 523.25, 440.0, 349.23};
    for (int k = 0; k < 4; ++k)
        mixer.add({0.22 * k, 0.16, notes[k], 0.0, Waveform::Triangle, 0.5, 0.02, 0.25, 0.0, 6.0, 0.012});
    return finished(mixer);
}

SoundBuffer SoundEffects::reinforceCamp()
{
    // A deep thump and an open fifth: the camp grows stronger.
    ToneMixer mixer(0.7, 1, false);
    mixer.add({0.0, 0.08, 130.0, 55.0, Waveform::Sine, 0.8, 0.003, 0.12});
    mixer.add({0.06, 0.05, 659.25, 0.0, Waveform::Bell, 0.35, 0.004, 0.5, 4.0});
    mixer.add({0.06, 0.05, 987.77, 0.0, Waveform::Bell, 0.25, 0.004, 0.5, 4.0});
    return finished(mixer);
}

SoundBuffer SoundEffects::lostUnit()
{
    // A quick bloop sliding down: one follower gone.
    ToneMixer mixer(0.3, 1, false);
    mixer.add({0.0, 0.18, 700.0, 240.0, Waveform::Triangle, 0.6, 0.005, 0.08});
    return finished(mixer);
}

SoundBuffer SoundEffects::stunned()
{
    // A dizzy warble with twittering above it.
    ToneMixer mixer(1.0, 1, false);
    mixer.add({0.0, 0.7, 420.0, 300.0, Waveform::Sine, 0.5, 0.01, 0.2, 0.0, 9.0, 0.25});
    for (int k = 0; k < 6; ++k)
        mixer.add({0.08 + 0.13 * k, 0.04, k % 2 == 0 ? 1900.0 : 2300.0, k % 2 == 0 ? 2300.0 : 1900.0,
                   Waveform::Sine, 0.18, 0.005, 0.03});
    return finished(mixer);
}

SoundBuffer SoundEffects::pickupUnit()
{
    // Two bright rising blips: a unit joins.
    ToneMixer mixer(0.2, 1, false);
    mixer.add({0.0, 0.05, 880.0, 1320.0, Waveform::Triangle, 0.5, 0.003, 0.02});
    mixer.add({0.08, 0.05, 1320.0, 1760.0, Waveform::Triangle, 0.5, 0.003, 0.05});
    return finished(mixer);
}

SoundBuffer SoundEffects::skillShot()
{
    // A whoosh that darkens as it passes, with a rising tone inside it: the dash.
    ToneMixer mixer(0.55, 1, false);
    mixer.add(ToneMixer::Noise{0.0, 0.3, 0.7, 0.05, 0.2, 0.7, 0.1, 0.0, 11});
    mixer.add({0.0, 0.25, 200.0, 800.0, Waveform::Sine, 0.3, 0.04, 0.15});
    return finished(mixer);
}
