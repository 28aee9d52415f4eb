#pragma once

#include <filesystem>
#include <string>

// Sends OpenAL Soft's output to a WAV file through its wave backend. OpenAL reads its configuration once,
// at its first call in the process, so there is one output per process: every device opened later
// writes the same file anew, and closing the device finishes its header.
class WaveOutput
{
public:
    // Must come before the process's first OpenAL call.
    static WaveOutput& instance();

    ~WaveOutput();
    WaveOutput(const WaveOutput&) = delete;
    WaveOutput& operator=(const WaveOutput&) = delete;

    // A temporary directory of this process, for the output and for the sounds the tests write.
    const std::filesystem::path& getDirectory() const { return directory; }
    std::filesystem::path getOutputPath() const { return directory / "output.wav"; }

private:
    WaveOutput();

    std::filesystem::path directory;
};
