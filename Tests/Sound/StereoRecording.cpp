#include "StereoRecording.h"

#include <cmath>
#include <sndfile.h>

namespace
{
// The mixer's output for silence is exact zero; a margin keeps dithering or denormals out.
constexpr float silenceLevel = 1e-4f;
}  // namespace

bool StereoRecording::read(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return false;
    if (info.channels == 2)
    {
        samples.resize(static_cast<std::size_t>(info.frames * 2));
        samples.resize(static_cast<std::size_t>(sf_readf_float(file, samples.data(), info.frames) * 2));
        sampleRate = info.samplerate;
    }
    sf_close(file);
    return info.channels == 2;
}

std::vector<StereoRecording::Segment> StereoRecording::soundingSegments(double shortestGapSeconds) const
{
    const auto shortestGap = static_cast<std::size_t>(shortestGapSeconds * sampleRate);
    std::vector<Segment> segments;
    std::size_t frame = 0;
    while (frame < frameCount())
    {
        if (isSilent(frame))
        {
            ++frame;
            continue;
        }
        const std::size_t first = frame;
        std::size_t lastSounding = frame;
        for (; frame < frameCount() && frame - lastSounding < shortestGap; ++frame)
        {
            if (!isSilent(frame))
                lastSounding = frame;
        }
        segments.push_back(measure(first, lastSounding + 1));
    }
    return segments;
}

bool StereoRecording::isSilent(std::size_t frame) const
{
    return std::fabs(samples[2 * frame]) < silenceLevel && std::fabs(samples[2 * frame + 1]) < silenceLevel;
}

StereoRecording::Segment StereoRecording::measure(std::size_t firstFrame, std::size_t endFrame) const
{
    double left = 0;
    double right = 0;
    for (std::size_t frame = firstFrame; frame < endFrame; ++frame)
    {
        left += samples[2 * frame] * samples[2 * frame];
        right += samples[2 * frame + 1] * samples[2 * frame + 1];
    }
    const auto frames = static_cast<double>(endFrame - firstFrame);
    return {firstFrame, endFrame, std::sqrt(left / frames), std::sqrt(right / frames)};
}
