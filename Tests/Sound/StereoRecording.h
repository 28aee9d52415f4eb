#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What OpenAL's wave backend wrote: interleaved stereo frames, read back with libsndfile.
class StereoRecording
{
public:
    // A stretch of sound between stretches of silence, with its loudness per channel.
    struct Segment
    {
        std::size_t firstFrame = 0;
        std::size_t endFrame = 0;
        double leftRms = 0;
        double rightRms = 0;
    };

    // False (and nothing read) when the file is not a stereo WAV file.
    bool read(const std::string& path);

    double seconds(std::size_t frames) const { return static_cast<double>(frames) / sampleRate; }
    // Shorter gaps than this belong to the sound around them (a sine passes zero now and then).
    std::vector<Segment> soundingSegments(double shortestGapSeconds = 0.02) const;

private:
    std::size_t frameCount() const { return samples.size() / 2; }
    bool isSilent(std::size_t frame) const;
    Segment measure(std::size_t firstFrame, std::size_t endFrame) const;

    std::vector<float> samples;
    int sampleRate = 0;
};
