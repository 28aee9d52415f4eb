#include "MatchPool.h"
#include "MatchRunner.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace
{
constexpr int matchesPerRun = 40;

// The game's log goes nowhere while it lives: the benchmark's own report stays readable.
class QuietLog
{
public:
    QuietLog() : saved(::dup(STDOUT_FILENO))
    {
        std::cout.flush();
        std::fflush(stdout);
        const int nowhere = ::open("/dev/null", O_WRONLY);
        ::dup2(nowhere, STDOUT_FILENO);
        ::close(nowhere);
    }
    ~QuietLog()
    {
        std::cout.flush();
        std::fflush(stdout);
        ::dup2(saved, STDOUT_FILENO);
        ::close(saved);
    }
    QuietLog(const QuietLog&) = delete;
    QuietLog& operator=(const QuietLog&) = delete;

private:
    int saved;
};

// Whole two-orc matches, as a tournament plays them, in one process or in `jobs` worker processes: the
// ratio of the two rates is what --jobs gains on this machine's cores.
void runnerMatchesPerSecond(benchmark::State& state)
{
    RunnerOptions options;
    options.orcs = 2;
    options.matches = matchesPerRun;
    options.jobs = static_cast<int>(state.range(0));
    int played = 0;
    const auto count = [&played](MatchRecord& /*record*/) { ++played; };
    for (auto _ : state)
    {
        const QuietLog quiet;
        if (options.jobs == 1)
            MatchRunner(options, nullptr).play(options.numbers(), count);
        else
            MatchPool(options).play(count);
    }
    if (played != matchesPerRun * static_cast<int>(state.iterations()))
        state.SkipWithError("not every match was played");
    state.counters["matches_per_s"] = benchmark::Counter(played, benchmark::Counter::kIsRate);
}
BENCHMARK(runnerMatchesPerSecond)->Arg(1)->Arg(2)->ArgName("jobs")->Unit(benchmark::kSecond)->UseRealTime();
}  // namespace
