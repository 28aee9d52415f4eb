#include "Scenes/GameScene.h"
#include "Scenes/StartScene.h"
#include "Support/HeadlessGame.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <string>

namespace
{
// The process's peak resident memory so far, in kilobytes.
double peakResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6));
    return 0.0;
}

// From the click on "Start Game" to the end of the first frame of the match that follows it.
void startGameToFirstMatchFrame(benchmark::State& state, irr::video::E_DRIVER_TYPE driverType)
{
    if (driverType == irr::video::EDT_OPENGL && !std::getenv("DISPLAY"))
    {
        state.SkipWithError("needs a display: run the benchmarks under xvfb-run");
        return;
    }
    // The match's sound engine would otherwise look for a sound card that this machine may lack.
    setenv("ALSOFT_DRIVERS", "null", 1);
    for (auto _ : state)
    {
        state.PauseTiming();
        HeadlessGame game({1920, 1080}, driverType);
        auto scene = std::make_unique<StartScene>();
        StartScene* menu = scene.get();
        game.start(std::move(scene));
        game.runFrame(16);
        state.ResumeTiming();

        game.postButtonClicked(menu->startButton);
        game.runFrame(16);

        state.PauseTiming();
        if (!game.currentSceneAs<GameScene>())
            state.SkipWithError("the match did not start");
        game.closeWindow();
        state.ResumeTiming();
    }
    state.counters["peak_resident_MiB"] = peakResidentKilobytes() / 1024.0;
}

BENCHMARK_CAPTURE(startGameToFirstMatchFrame, headless, irr::video::EDT_NULL)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startGameToFirstMatchFrame, opengl, irr::video::EDT_OPENGL)->Unit(benchmark::kMillisecond);
}  // namespace
