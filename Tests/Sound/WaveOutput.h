#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// OpenAL Soft's output, sent to a WAV file through its wave backend and read back. OpenAL reads its
// configuration once, at its first call in the process, so there is one output per process: every device
// opened later writes the same file anew, and closing the device finishes its header.
class WaveOutput
{
public:
    // A stretch of sound between stretches of silence: when it starts, how long it lasts, how loud it is on
    // each channel.
    struct Segment
    {
        double start, seconds, leftRms, rightRms;
    };

    // Must come before the process's first OpenAL call.
    static WaveOutput& instance();

    // OpenAL Soft's name for its wave device. Opened by name, a device also reads the configuration's
    // section of that name, which gives this one only a few sources.
    static constexpr const char* fewSourcesDeviceName = "Wave File Writer";
    static constexpr int fewSources = 4;

    ~WaveOutput() { std::filesystem::remove_all(directory); }

    // A temporary directory of this process, for the output and for the sounds the tests write.
    const std::filesystem::path& getDirectory() const { return directory; }
    // Waits until the open device has written `seconds` more output; false when it has not after a few
    // seconds. The backend's thread mixes by the clock but catches up in one go when it runs late, so only
    // its output tells how far it has mixed.
    bool waitForMixing(double seconds) const;
    // Whether the device that wrote the output has closed: the backend fills in the header's sizes then.
    bool finished() const;
    // The sounds of the output so far; silences shorter than 20 ms belong to the sound around them (a sine
    // passes zero now and then).
    std::vector<Segment> segments() const;

private:
    WaveOutput();

    std::filesystem::path outputPath() const { return directory / "output.wav"; }
    std::uintmax_t outputSize() const;
    // The little-endian 32-bit field at `offset` of the output's header; 0 while it is not written yet.
    std::uint32_t headerField(std::streamoff offset) const;

    std::filesystem::path directory;
};
