#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A whole sound file decoded to interleaved 16-bit samples, the form OpenAL buffers take.
class SoundFile
{
public:
    // Reads and decodes the file; on failure returns false and says why in `failure`.
    bool read(const std::string& path, std::string& failure);

    const std::vector<std::int16_t>& getSamples() const { return samples; }
    int getChannels() const { return channels; }
    int getSampleRate() const { return sampleRate; }

private:
    std::vector<std::int16_t> samples;
    int channels = 0;
    int sampleRate = 0;
};
