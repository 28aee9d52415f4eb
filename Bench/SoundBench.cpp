#include "External/ISoundEngine.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sndfile.h>
#include <vector>

namespace
{
// Half a second of a mono 44.1 kHz effect, as long as the game's event sounds.
bool writeEffect(const std::string& path)
{
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    const std::vector<short> samples(static_cast<std::size_t>(info.samplerate / 2), 1000);
    sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    return sf_close(file) == 0;
}

// OpenAL Soft's null backend: the real library mixing on its own thread in real time, output discarded.
ISoundEngine* createEngineWithoutOutput()
{
    setenv("ALSOFT_DRIVERS", "null", 1);
    return createIrrKlangDevice(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.5.0");
}

double percentile(std::vector<double> values, double fraction)
{
    const auto rank = static_cast<std::ptrdiff_t>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + rank, values.end());
    return values[static_cast<std::size_t>(rank)];
}

// A one-shot 3-D sound of a file played before, as the game plays its event sounds. Once every voice
// is busy, each call also cuts the oldest sound. The file is deleted after the first play, so a second
// read of it would make the plays fail.
void play3DOfALoadedSound(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path() / "QuillmarchBenchEffect.wav").string();
    if (!writeEffect(path))
    {
        state.SkipWithError("cannot write the sound file");
        return;
    }
    ISoundEngine* engine = createEngineWithoutOutput();
    engine->play2D(path.c_str());
    std::filesystem::remove(path);

    std::vector<double> microseconds;
    float x = 0;
    for (auto _ : state)
    {
        x = x > 50 ? -50 : x + 1;
        const auto start = std::chrono::steady_clock::now();
        engine->play3D(path.c_str(), {x, 1, 20});
        const auto end = std::chrono::steady_clock::now();
        microseconds.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }

    if (ISound* check = engine->play3D(path.c_str(), {0, 1, 20}, false, false, true))
        check->drop();
    else
        state.SkipWithError(
            "the sound did not play from its buffer; was the engine silent, or the file read again?");
    engine->drop();
    state.counters["median_us"] = percentile(microseconds, 0.5);
    state.counters["p99_us"] = percentile(microseconds, 0.99);
}
BENCHMARK(play3DOfALoadedSound);

// The listener moves every frame of a match.
void setListenerPositionEachFrame(benchmark::State& state)
{
    ISoundEngine* engine = createEngineWithoutOutput();
    float yaw = 0;
    for (auto _ : state)
    {
        yaw = yaw > 360 ? 0 : yaw + 0.5f;
        engine->setListenerPosition({10, 20, -30}, {20, yaw, 0}, {0, 0, 0}, {0, 1, 0});
    }
    engine->drop();
}
BENCHMARK(setListenerPositionEachFrame);
}  // namespace
