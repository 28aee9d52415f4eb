#include "GameEngine/TextAnnouncer.h"
#include "Support/HeadlessGame.h"

#include <benchmark/benchmark.h>

namespace
{
// A frame of the announcer with a screenful of messages: aging, lifting and drawing them all.
void announcerFrameWithMessages(benchmark::State& state)
{
    HeadlessGame game;
    game.start(std::make_unique<BaseScene>());
    TextAnnouncer announcer;
    announcer.init(game.engine().getCurrentScene());
    const auto count = static_cast<int>(state.range(0));
    for (auto _ : state)
    {
        state.PauseTiming();
        for (int message = 0; message < count; ++message)
            announcer.announce(L"Player 2 captured a camp", 0xFF00FF00);
        state.ResumeTiming();
        // Twenty frames of 100 ms: the messages rise and all of them go.
        for (int frame = 0; frame < 20; ++frame)
            announcer.draw(100.0, 0.0f);
    }
    state.SetItemsProcessed(state.iterations() * count * 20);
}
BENCHMARK(announcerFrameWithMessages)->Arg(1)->Arg(8)->Arg(64);
}  // namespace
