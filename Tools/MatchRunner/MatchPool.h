#pragma once

#include "FrameTimes.h"
#include "MatchRunner.h"
#include "RunnerOptions.h"

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

// Plays a run's matches in several worker processes at once and hands them on in the order of their
// numbers, each with the log and the telemetry its worker caught, so that the run reads the same as in
// one process. Worker k plays matches k + 1, k + 1 + jobs, ...: every match takes about as long.
class MatchPool
{
public:
    explicit MatchPool(const RunnerOptions& options);

    // Plays every match of the run; stops handing on at the first that could not be played. How many
    // were handed on.
    int play(const MatchRunner::Played& played);
    const FrameTimes& frames() const { return frameTimes; }
    // The largest of the workers' resident memories after their last match.
    long residentAtEnd() const { return largestResident; }

private:
    struct Worker
    {
        pid_t pid = -1;
        int channel = -1;
        // What has come in and not yet been read as whole messages.
        std::string received;
        bool finished = false;
    };

    bool startWorkers();
    [[noreturn]] void runWorker(int index, int channel);
    // Reads what there is from the workers, waiting until something comes; false once all have ended.
    bool receive();
    void readMessages(Worker& worker);
    void handOn(const MatchRunner::Played& played);
    void stopWorkers();

    RunnerOptions options;
    std::vector<Worker> workers;
    std::map<int, MatchRecord> waiting;
    // The log of a match that could not be played, by its number.
    std::map<int, std::string> failures;
    int next = 1;
    bool stopped = false;
    FrameTimes frameTimes;
    long largestResident = 0;
};
