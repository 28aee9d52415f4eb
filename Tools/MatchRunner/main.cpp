#include "GameEngine/Console.h"
#include "MatchPool.h"
#include "MatchReport.h"
#include "MatchRunner.h"
#include "RunnerOptions.h"

#include <chrono>
#include <ext/stdio_filebuf.h>
#include <fstream>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace
{
// With --json, standard output carries the JSON objects alone: what the game prints goes to the error
// stream instead. The stream the objects are written to, or null where nothing moves.
std::unique_ptr<__gnu_cxx::stdio_filebuf<char>> separateJsonFromLog()
{
    std::cout.flush();
    const int json = ::dup(STDOUT_FILENO);
    if (json < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return nullptr;
    return std::make_unique<__gnu_cxx::stdio_filebuf<char>>(json, std::ios::out);
}

int playRun(const RunnerOptions& options, std::ostream& out)
{
    std::ofstream telemetry;
    if (!options.telemetryFile.empty())
    {
        telemetry.open(options.telemetryFile, std::ios::binary | std::ios::trunc);
        if (!telemetry)
        {
            Console::error("Could not write the telemetry file: " + options.telemetryFile);
            return 1;
        }
    }
    MatchReport report(options, out, std::cout);
    const auto start = std::chrono::steady_clock::now();
    const auto played = [&](MatchRecord& record)
    {
        telemetry << record.telemetry;
        report.add(record);
    };
    if (options.jobs == 1)
    {
        MatchRunner runner(options, options.telemetryFile.empty() ? nullptr : &telemetry);
        runner.play(options.numbers(), played);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        report.writeTotals(runner.frames(), wall, MatchRunner::residentKilobytes());
    }
    else
    {
        MatchPool pool(options);
        pool.play(played);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        report.writeTotals(pool.frames(), wall, pool.residentAtEnd());
    }
    return report.played() > 0 && report.played() == options.matches ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv)
{
    int exitStatus = 0;
    const std::optional<RunnerOptions> options = RunnerOptions::read(argc, argv, exitStatus);
    if (!options)
        return exitStatus;
    if (!options->json)
        return playRun(*options, std::cout);
    const std::unique_ptr<__gnu_cxx::stdio_filebuf<char>> json = separateJsonFromLog();
    if (!json)
    {
        Console::error("Could not keep the JSON output apart from the log");
        return 1;
    }
    std::ostream out(json.get());
    return playRun(*options, out);
}
