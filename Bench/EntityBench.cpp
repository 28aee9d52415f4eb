#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "Support/MatchFixture.h"

#include <benchmark/benchmark.h>

namespace
{
// One frame's entity updates in a populated match: every unit on its spot, the dragon, and one camp
// whose rings are moving.
void entityUpdatesPerFrame(benchmark::State& state)
{
    MatchFixture fixture;
    if (!fixture.started)
    {
        state.SkipWithError("the match did not start");
        return;
    }
    fixture.frames(2);
    BaseGameScene& match = *fixture.match;
    match.createCamp({10, 1, 10}, {0, 0, 0}, {0.1f, 0.1f, 0.1f}, &fixture.human());
    match.camps.front()->unitCount = 6;
    float totalTime = fixture.game.now();
    for (auto _ : state)
    {
        totalTime += 16.0f;
        for (const std::shared_ptr<BaseEntity>& entity : match.entities)
            entity->update(16.0, totalTime);
        for (const std::shared_ptr<Camp>& camp : match.camps)
            camp->updateAndDraw(16.0, totalTime, &match);
    }
}

BENCHMARK(entityUpdatesPerFrame)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
}  // namespace
