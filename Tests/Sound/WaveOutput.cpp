#include "WaveOutput.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sndfile.h>
#include <thread>

namespace
{
// Where the wave backend's header keeps the size of what follows it and the byte rate.
constexpr std::streamoff riffSizeOffset = 4, byteRateOffset = 28;
// The mixer's output for silence is exact zero; a margin keeps dithering or denormals out.
constexpr float silenceLevel = 1e-4f;
constexpr double shortestGap = 0.02;
}  // namespace

WaveOutput& WaveOutput::instance()
{
    static WaveOutput output;
    return output;
}

WaveOutput::WaveOutput()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "QuillmarchSound.XXXXXX").string();
    // Left as the unfilled pattern if it fails, so that every test writing there fails loudly.
    const char* made = mkdtemp(pattern.data());
    directory = made ? made : pattern;
    const std::filesystem::path configuration = directory / "alsoft.conf";
    std::ofstream(configuration) << "[general]\ndrivers = wave\n[wave]\nfile = " << outputPath().string()
                                 << "\n[" << fewSourcesDeviceName << "]\nsources = " << fewSources << "\n";
    setenv("ALSOFT_CONF", configuration.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
}

std::uintmax_t WaveOutput::outputSize() const
{
    std::error_code missing;
    const std::uintmax_t size = std::filesystem::file_size(outputPath(), missing);
    return missing ? 0 : size;
}

std::uint32_t WaveOutput::headerField(std::streamoff offset) const
{
    std::ifstream file(outputPath(), std::ios::binary);
    unsigned char bytes[4] = {};
    if (!file.seekg(offset) || !file.read(reinterpret_cast<char*>(bytes), sizeof bytes))
        return 0;
    return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24);
}

bool WaveOutput::waitForMixing(double seconds) const
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

bool WaveOutput::finished() const
{
    return outputSize() > 8 && headerField(riffSizeOffset) == outputSize() - 8;
}

std::vector<WaveOutput::Segment> WaveOutput::segments() const
{
    SF_INFO info{};
    SNDFILE* file = sf_open(outputPath().c_str(), SFM_READ, &info);
    std::vector<float> samples(file && info.channels == 2 ? static_cast<std::size_t>(info.frames) * 2 : 0);
    if (file)
    {
        sf_readf_float(file, samples.data(), static_cast<sf_count_t>(samples.size() / 2));
        sf_close(file);
    }
    const auto silent = [&samples](std::size_t frame) {
        return std::fabs(samples[2 * frame]) < silenceLevel &&
               std::fabs(samples[2 * frame + 1]) < silenceLevel;
    };
    const double rate = info.samplerate;
    std::vector<Segment> found;
    for (std::size_t frame = 0; frame < samples.size() / 2; ++frame)
    {
        if (silent(frame))
            continue;
        std::size_t last = frame;
        double left = 0, right = 0;
        for (std::size_t next = frame; next < samples.size() / 2 && next - last < shortestGap * rate; ++next)
        {
            last = silent(next) ? last : next;
            left += samples[2 * next] * samples[2 * next];
            right += samples[2 * next + 1] * samples[2 * next + 1];
        }
        const double frames = static_cast<double>(last + 1 - frame);
        found.push_back({frame / rate, frames / rate, std::sqrt(left / frames), std::sqrt(right / frames)});
        frame = last;
    }
    return found;
}
