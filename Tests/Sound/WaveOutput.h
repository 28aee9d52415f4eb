#pragma once

#include <cstdint>
#include <filesystem>

// Sends OpenAL Soft's output to a WAV file through its wave backend. OpenAL reads its configuration once,
// at its first call in the process, so there is one output per process: every device opened later
// writes the same file anew, and closing the device finishes its header.
class WaveOutput
{
public:
    // Must come before the process's first OpenAL call.
    static WaveOutput& instance();

    // OpenAL Soft's name for its wave device. Opened by name, a device also reads the configuration's
    // section of that name, which gives this one only a few sources.
    static constexpr const char* fewSourcesDeviceName = "Wave File Writer";
    static constexpr int fewSources = 4;

    ~WaveOutput();
    WaveOutput(const WaveOutput&) = delete;
    WaveOutput& operator=(const WaveOutput&) = delete;

    // A temporary directory of this process, for the output and for the sounds the tests write.
    const std::filesystem::path& getDirectory() const { return directory; }
    std::filesystem::path getOutputPath() const { return directory / "output.wav"; }
    // Waits until the open device has written `seconds` more output. The backend's thread mixes by the
    // clock but catches up in one go when it runs late, so only its output tells how far it has mixed.
    // False when it has not written that much after a few seconds.
    bool waitForMixing(double seconds) const;
    // Whether the device that wrote the output has closed: the backend fills in the header's sizes then.
    bool finished() const;

private:
    WaveOutput();

    std::uintmax_t outputSize() const;
    // The little-endian 32-bit field at `offset` of the output's header; 0 while it is not written yet.
    std::uint32_t headerField(std::streamoff offset) const;

    std::filesystem::path directory;
};
