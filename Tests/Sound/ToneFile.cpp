#include "ToneFile.h"

#include <cmath>
#include <sndfile.h>
#include <vector>

namespace
{
constexpr int sampleRate = 44100;
constexpr double frequency = 440.0;
}  // namespace

bool writeToneFile(const std::string& path, double seconds, int channels, double amplitude)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    const auto frames = static_cast<sf_count_t>(seconds * sampleRate);
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(frames * channels));
    for (sf_count_t frame = 0; frame < frames; ++frame)
    {
        const double value = amplitude * std::sin(2.0 * M_PI * frequency * frame / sampleRate);
        samples.insert(samples.end(), static_cast<std::size_t>(channels), value);
    }
    const bool written = sf_writef_double(file, samples.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}
