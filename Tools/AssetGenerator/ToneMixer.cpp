#include "ToneMixer.h"

#include "Random.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double twoPi = 2.0 * 3.14159265358979323846;

double oscillator(ToneMixer::Waveform waveform, double phase)
{
    switch (waveform)
    {
    case ToneMixer::Waveform::Sine:
        return std::sin(phase);
    case ToneMixer::Waveform::Triangle:
        return 2.0 / 3.14159265358979323846 * std::asin(std::sin(phase));
    case ToneMixer::Waveform::Saw:
    {
        double sum = 0.0;
        for (int k = 1; k <= 6; ++k)
            sum += std::sin(phase * k) / k;
        return sum * 0.55;
    }
    case ToneMixer::Waveform::Square:
    {
        double sum = 0.0;
        for (int k = 1; k <= 7; k += 2)
            sum += std::sin(phase * k) / k;
        return sum * 0.8;
    }
    case ToneMixer::Waveform::Bell:
        return 0.7 * std::sin(phase) + 0.2 * std::sin(phase * 2.0) + 0.1 * std::sin(phase * 3.0);
    }
    return 0.0;
}

// Rises over `attack`, holds, and falls over `release` after `duration`.
double envelope(double time, double duration, double attack, double release)
{
    if (time < attack)
        return time / attack;
    if (time < duration)
        return 1.0;
    return std::max(0.0, 1.0 - (time - duration) / release);
}
}  // namespace

ToneMixer::ToneMixer(double seconds, int channels, bool looping)
    : channelCount(channels), loops(looping),
      samples(static_cast<std::size_t>(std::llround(seconds * SoundBuffer::sampleRate)) *
                  static_cast<std::size_t>(channels),
              0.0)
{
}

void ToneMixer::render(double start, double length, double pan,
                       const std::function<double(double time)>& sample)
{
    const std::size_t frames = samples.size() / static_cast<std::size_t>(channelCount);
    const auto first = static_cast<std::size_t>(std::llround(start * SoundBuffer::sampleRate));
    const auto count = static_cast<std::size_t>(length * SoundBuffer::sampleRate);
    for (std::size_t k = 0; k < count; ++k)
    {
        if (!loops && first + k >= frames)
            return;
        mix(pan, sample(static_cast<double>(k) / SoundBuffer::sampleRate), (first + k) % frames);
    }
}

void ToneMixer::mix(double pan, double value, std::size_t frame)
{
    if (channelCount == 1)
    {
        samples[frame] += value;
        return;
    }
    // Equal-power panning.
    const double angle = (pan + 1.0) * 0.25 * 3.14159265358979323846;
    samples[frame * 2] += value * std::cos(angle);
    samples[frame * 2 + 1] += value * std::sin(angle);
}

void ToneMixer::add(const Note& note)
{
    const double length = note.duration + note.release;
    double phase = 0.0;
    render(note.start, length, note.pan,
           [&](double time)
           {
               const double progress = std::min(1.0, time / length);
               double frequency = note.glideTo > 0.0
                                      ? note.frequency * std::pow(note.glideTo / note.frequency, progress)
                                      : note.frequency;
               frequency *= 1.0 + note.vibratoDepth * std::sin(twoPi * note.vibratoRate * time);
               phase += twoPi * frequency / SoundBuffer::sampleRate;
               const double level = note.amplitude *
                                    envelope(time, note.duration, note.attack, note.release) *
                                    std::exp(-note.decay * time);
               return level * oscillator(note.waveform, phase);
           });
}

void ToneMixer::add(const Noise& noise)
{
    const double length = noise.duration + noise.release;
    Random random(noise.seed);
    double smoothed = 0.0;
    render(noise.start, length, noise.pan,
           [&](double time)
           {
               const double brightness =
                   noise.brightness + (noise.brightnessTo - noise.brightness) * std::min(1.0, time / length);
               // A one-pole low-pass: the brighter, the more of each new random sample gets through.
               smoothed +=
                   (random.between(-1.0, 1.0) - smoothed) * std::clamp(brightness * brightness, 0.005, 1.0);
               return noise.amplitude * envelope(time, noise.duration, noise.attack, noise.release) *
                      smoothed;
           });
}

void ToneMixer::normalise(double peak)
{
    double loudest = 0.0;
    for (double sample : samples)
        loudest = std::max(loudest, std::fabs(sample));
    if (loudest <= 0.0)
        return;
    for (double& sample : samples)
        sample *= peak / loudest;
}

SoundBuffer ToneMixer::sound() const
{
    SoundBuffer buffer;
    buffer.channels = channelCount;
    buffer.samples.assign(samples.begin(), samples.end());
    return buffer;
}
