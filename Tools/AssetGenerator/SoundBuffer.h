#pragma once

#include <vector>

// Sampled sound at the rate every asset uses, channels interleaved, samples -1 to 1.
struct SoundBuffer
{
    static constexpr int sampleRate = 44100;

    int channels = 1;
    std::vector<float> samples;

    std::size_t frames() const { return samples.size() / static_cast<std::size_t>(channels); }
    double seconds() const { return static_cast<double>(frames()) / sampleRate; }
};
