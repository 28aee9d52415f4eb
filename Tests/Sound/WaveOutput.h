#pragma once

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sndfile.h>
#include <thread>
#include <vector>

// OpenAL Soft's output, sent to a WAV file through its wave backend and read back. OpenAL reads its
// configuration once, at its first call in the process, so there is one output per process (made before
// that call): every device opened later writes the same file anew, and closing the device finishes its
// header. Opened by name, the wave device also reads the configuration's section of that name, which gives
// it only a few sources.
class WaveOutput
{
public:
    static constexpr const char* fewSourcesDeviceName = "Wave File Writer";
    static constexpr int fewSources = 4;

    // A stretch of sound between stretches of silence: when it starts, how long it lasts, how loud it is on
    // each channel.
    struct Segment
    {
        double start, seconds, leftRms, rightRms;
    };

    static WaveOutput& instance()
    {
        static WaveOutput output;
        return output;
    }
    ~WaveOutput()
    {
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    }

    // A temporary directory of this process, for the output and for the sounds the tests write.
    const std::filesystem::path& getDirectory() const { return directory; }

    // Waits until the open device has written `seconds` more output; false when it has not after a few
    // seconds. The backend mixes by the clock but catches up in one go when it runs late, so only its
    // output tells how far it has mixed.
    bool waitForMixing(double seconds) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        const auto waitUntil = [&deadline](auto done)
        {
            while (!done() && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            return done();
        };
        if (!waitUntil([this] { return headerField(byteRateOffset) > 0; }))
            return false;
        const auto target = outputSize() + static_cast<std::uintmax_t>(seconds * headerField(byteRateOffset));
        return waitUntil([&] { return outputSize() >= target; });
    }

    // Whether the device that wrote the output has closed: the backend fills in the header's sizes then.
    bool finished() const { return outputSize() > 8 && headerField(riffSizeOffset) == outputSize() - 8; }

    // The sounds of the output so far. Silence is exact zero (less than 1e-4, to keep dithering out);
    // silences shorter than 20 ms belong to the sound around them, as a sine passes zero now and then.
    std::vector<Segment> segments() const
    {
        SF_INFO info{};
        SNDFILE* file = sf_open(outputPath().c_str(), SFM_READ, &info);
        std::vector<float> samples(file && info.channels == 2 ? static_cast<std::size_t>(info.frames) * 2
                                                              : 0);
        if (file)
        {
            sf_readf_float(file, samples.data(), static_cast<sf_count_t>(samples.size() / 2));
            sf_close(file);
        }
        const auto silent = [&samples](std::size_t frame)
        { return std::fabs(samples[2 * frame]) < 1e-4f && std::fabs(samples[2 * frame + 1]) < 1e-4f; };
        const double rate = info.samplerate;
        std::vector<Segment> found;
        for (std::size_t frame = 0; frame < samples.size() / 2; ++frame)
        {
            if (silent(frame))
                continue;
            std::size_t last = frame;
            double left = 0, right = 0;
            for (std::size_t next = frame; next < samples.size() / 2 && next - last < 0.02 * rate; ++next)
            {
                last = silent(next) ? last : next;
                left += samples[2 * next] * samples[2 * next];
                right += samples[2 * next + 1] * samples[2 * next + 1];
            }
            const double frames = static_cast<double>(last + 1 - frame);
            found.push_back(
                {frame / rate, frames / rate, std::sqrt(left / frames), std::sqrt(right / frames)});
            frame = last;
        }
        return found;
    }

private:
    // Where the wave backend's header keeps the size of what follows it and the byte rate.
    static constexpr std::streamoff riffSizeOffset = 4, byteRateOffset = 28;

    WaveOutput()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "QuillmarchSound.XXXXXX").string();
        // Left as the unfilled pattern if it fails, so that every test writing there fails loudly.
        const char* made = mkdtemp(pattern.data());
        directory = made ? made : pattern;
        const std::filesystem::path configuration = directory / "alsoft.conf";
        std::ofstream(configuration) << "[general]\ndrivers = wave\n[wave]\nfile = " << outputPath().string()
                                     << "\n[" << fewSourcesDeviceName << "]\nsources = " << fewSources
                                     << "\n";
        setenv("ALSOFT_CONF", configuration.c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
    }

    std::filesystem::path outputPath() const { return directory / "output.wav"; }
    std::uintmax_t outputSize() const
    {
        std::error_code missing;
        const std::uintmax_t size = std::filesystem::file_size(outputPath(), missing);
        return missing ? 0 : size;
    }
    // The little-endian 32-bit field at `offset` of the output's header; 0 while it is not written yet.
    std::uint32_t headerField(std::streamoff offset) const
    {
        std::ifstream file(outputPath(), std::ios::binary);
        unsigned char bytes[4] = {};
        if (!file.seekg(offset) || !file.read(reinterpret_cast<char*>(bytes), sizeof bytes))
            return 0;
        return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24);
    }

    std::filesystem::path directory;
};
