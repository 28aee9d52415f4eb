#include "External/SoundFile.h"

#include <climits>
#include <memory>
#include <sndfile.h>

namespace
{
// What OpenAL can take in one buffer: its sizes are signed 32-bit byte counts.
constexpr sf_count_t maxSamples = INT_MAX / static_cast<sf_count_t>(sizeof(std::int16_t));

struct SndfileCloser
{
    void operator()(SNDFILE* file) const { sf_close(file); }
};
}  // namespace

bool SoundFile::read(const std::string& path, std::string& failure)
{
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
    {
        failure = sf_strerror(nullptr);
        return false;
    }
    if (info.channels != 1 && info.channels != 2)
    {
        failure = "it has " + std::to_string(info.channels) + " channels, only mono and stereo play";
        return false;
    }
    if (info.frames > maxSamples / info.channels)
    {
        failure = "it is too long to hold in memory";
        return false;
    }
    samples.resize(static_cast<std::size_t>(info.frames * info.channels));
    // Some formats only estimate their length; what was really read counts.
    const sf_count_t framesRead = sf_readf_short(file.get(), samples.data(), info.frames);
    samples.resize(static_cast<std::size_t>(framesRead * info.channels));
    if (samples.empty())
    {
        failure = "it holds no samples";
        return false;
    }
    channels = info.channels;
    sampleRate = info.samplerate;
    return true;
}
