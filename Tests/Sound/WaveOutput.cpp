#include "WaveOutput.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace
{
using namespace std::chrono_literals;

// Where the wave backend's header keeps the size of what follows it and the byte rate.
constexpr std::streamoff riffSizeOffset = 4;
constexpr std::streamoff byteRateOffset = 28;
constexpr auto longestMixingWait = 5s;
constexpr auto pollInterval = 2ms;
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
    std::ofstream(configuration) << "[general]\ndrivers = wave\n[wave]\nfile = " << getOutputPath().string()
                                 << "\n[" << fewSourcesDeviceName << "]\nsources = " << fewSources << "\n";
    setenv("ALSOFT_CONF", configuration.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
}

WaveOutput::~WaveOutput()
{
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}

std::uintmax_t WaveOutput::outputSize() const
{
    std::error_code missing;
    const std::uintmax_t size = std::filesystem::file_size(getOutputPath(), missing);
    return missing ? 0 : size;
}

std::uint32_t WaveOutput::headerField(std::streamoff offset) const
{
    std::ifstream file(getOutputPath(), std::ios::binary);
    unsigned char bytes[4] = {};
    if (!file.seekg(offset) || !file.read(reinterpret_cast<char*>(bytes), sizeof bytes))
        return 0;
    return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24);
}

bool WaveOutput::waitForMixing(double seconds) const
{
    const auto deadline = std::chrono::steady_clock::now() + longestMixingWait;
    std::uint32_t rate = 0;
    while ((rate = headerField(byteRateOffset)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(pollInterval);
    const auto target = outputSize() + static_cast<std::uintmax_t>(seconds * rate);
    while (outputSize() < target && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(pollInterval);
    return rate > 0 && outputSize() >= target;
}

bool WaveOutput::finished() const
{
    return outputSize() > 8 && headerField(riffSizeOffset) == outputSize() - 8;
}
