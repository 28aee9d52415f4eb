#pragma once

#include "SoundBuffer.h"

#include <cstdint>
#include <functional>
#include <vector>

// Mixes synthesised notes and noise into a buffer of fixed length. In a looping mix, whatever
// rings on past the end continues at the start, so the loop point has no seam.
class ToneMixer
{
public:
    enum class Waveform
    {
        Sine,
        Triangle,
        // Soft, few-harmonic versions of the classic shapes: bright without aliasing.
        Saw,
        Square,
        // A sine with a quieter octave and twelfth, for bells and chimes.
        Bell
    };

    struct Note
    {
        double start;     // seconds
        double duration;  // seconds until the release begins
        double frequency;
        double glideTo = 0.0;  // frequency at the end of the note; 0 keeps it steady
        Waveform waveform = Waveform::Sine;
        double amplitude = 0.5;
        double attack = 0.01;
        double release = 0.1;
        // Exponential fade while held, per second (0 for a sustained note).
        double decay = 0.0;
        double vibratoRate = 0.0;
        double vibratoDepth = 0.0;  // fraction of the frequency
        double pan = 0.0;           // -1 left to 1 right, for stereo mixes
    };

    struct Noise
    {
        double start;
        double duration;
        double amplitude;
        double attack = 0.005;
        double release = 0.05;
        // Smoothing of the noise at the start and the end, 0 (dull) to 1 (bright).
        double brightness = 0.5;
        double brightnessTo = 0.5;
        double pan = 0.0;
        std::uint64_t seed = 1;
    };

    ToneMixer(double seconds, int channels, bool looping);

    void add(const Note& note);
    void add(const Noise& noise);
    // Scales the mix so that its loudest sample is `peak`.
    void normalise(double peak);
    SoundBuffer sound() const;

private:
    // Adds `sample(time)` for `length` seconds from `start`, wrapping or cut off at the end.
    void render(double start, double length, double pan, const std::function<double(double time)>& sample);
    void mix(double pan, double value, std::size_t frame);

    int channelCount;
    bool loops;
    std::vector<double> samples;
};
