#include "BackgroundMusic.h"

#include "ToneMixer.h"

#include <array>
#include <cmath>

namespace
{
using Waveform = ToneMixer::Waveform;
constexpr double beat = 60.0 / BackgroundMusic::beatsPerMinute;
constexpr double bar = 4.0 * beat;

double midiToFrequency(int note)
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// Am, F, C, G, two bars each, twice: root notes (MIDI) and the chord's intervals.
struct Chord
{
    int root;
    std::array<int, 3> intervals;
};
const std::array<Chord, 4> progression = {
    {{57, {0, 3, 7}}, {53, {0, 4, 7}}, {48, {0, 4, 7}}, {55, {0, 4, 7}}}};

const Chord& chordAtBar(int barIndex)
{
    return progression[static_cast<std::size_t>((barIndex / 2) % 4)];
}

void addPads(ToneMixer& mixer)
{
    for (int barIndex = 0; barIndex < BackgroundMusic::bars; barIndex += 2)
    {
        const Chord& chord = chordAtBar(barIndex);
        for (std::size_t k = 0; k < chord.intervals.size(); ++k)
        {
            const double frequency = midiToFrequency(chord.root + 12 + chord.intervals[k]);
            const double pan = (static_cast<double>(k) - 1.0) * 0.5;
            // Two slightly detuned voices make the pad breathe.
            for (double detune : {0.998, 1.002})
                mixer.add({barIndex * bar, 2.0 * bar - 0.3, frequency * detune, 0.0, Waveform::Sine, 0.06,
                           0.6, 0.9, 0.0, 0.0, 0.0, pan});
        }
    }
}

void addBass(ToneMixer& mixer)
{
    for (int barIndex = 0; barIndex < BackgroundMusic::bars; ++barIndex)
        for (int half = 0; half < 2; ++half)
            mixer.add({barIndex * bar + half * 2.0 * beat, 1.6 * beat,
                       midiToFrequency(chordAtBar(barIndex).root - 12), 0.0, Waveform::Triangle, 0.22, 0.01,
                       0.25, 0.6});
}

void addArpeggio(ToneMixer& mixer)
{
    // Eighth notes up and down the chord, plucked, drifting between the speakers.
    const std::array<int, 8> pattern = {0, 1, 2, 3, 2, 1, 0, 2};
    for (int barIndex = 0; barIndex < BackgroundMusic::bars; ++barIndex)
    {
        const Chord& chord = chordAtBar(barIndex);
        for (int step = 0; step < 8; ++step)
        {
            const int index = pattern[static_cast<std::size_t>(step)];
            const int note =
                chord.root + 24 + (index == 3 ? 12 : chord.intervals[static_cast<std::size_t>(index)]);
            const double pan = 0.4 * std::sin(barIndex * 0.7 + step * 0.4);
            mixer.add({barIndex * bar + step * beat / 2.0, 0.05, midiToFrequency(note), 0.0,
                       Waveform::Triangle, 0.09, 0.004, 0.5, 5.0, 0.0, 0.0, pan});
        }
    }
}

void addMelody(ToneMixer& mixer)
{
    // A flute line in A minor pentatonic over the second half: (MIDI note, start beat, beats).
    struct Phrase
    {
        int note;
        double start;
        double length;
    };
    const Phrase phrases[] = {{76, 0, 1.5}, {79, 1.5, 0.5}, {81, 2, 2},     {79, 4, 1},      {76, 5, 1},
                              {74, 6, 2},   {72, 8, 1.5},   {74, 9.5, 0.5}, {76, 10, 2},     {72, 12, 1},
                              {69, 13, 1},  {67, 14, 2},    {69, 16, 1.5},  {72, 17.5, 0.5}, {74, 18, 2},
                              {76, 20, 1},  {79, 21, 1},    {81, 22, 2},    {79, 24, 1.5},   {76, 25.5, 0.5},
                              {74, 26, 1},  {72, 27, 1},    {69, 28, 3.5}};
    const double firstBeat = 8.0 * 4.0;
    for (const Phrase& phrase : phrases)
        mixer.add({(firstBeat + phrase.start) * beat, phrase.length * beat * 0.9,
                   midiToFrequency(phrase.note), 0.0, Waveform::Sine, 0.11, 0.05, 0.2, 0.0, 5.0, 0.006,
                   0.15});
}

void addPercussion(ToneMixer& mixer)
{
    for (int barIndex = 0; barIndex < BackgroundMusic::bars; ++barIndex)
    {
        mixer.add({barIndex * bar, 0.05, 110.0, 45.0, Waveform::Sine, 0.35, 0.002, 0.15});
        for (int step = 1; step < 8; step += 2)
            mixer.add(ToneMixer::Noise{barIndex * bar + step * beat / 2.0, 0.02, 0.05, 0.002, 0.06, 1.0, 0.8,
                                       0.3 * (step % 4 == 1 ? -1.0 : 1.0),
                                       static_cast<std::uint64_t>(barIndex * 8 + step)});
    }
}
}  // namespace

SoundBuffer BackgroundMusic::compose()
{
    ToneMixer mixer(bars * bar, 2, true);
    addPads(mixer);
    addBass(mixer);
    addArpeggio(mixer);
    addMelody(mixer);
    addPercussion(mixer);
    mixer.normalise(0.8);
    return mixer.sound();
}
