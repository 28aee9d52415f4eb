#pragma once

#include "FrameTimes.h"
#include "MatchRecord.h"
#include "RunnerOptions.h"

#include <map>
#include <ostream>
#include <vector>

// What the runner prints: a line per match ("match N: ...", or one JSON object with --json) as the
// matches come in, in their order, and the totals at the end.
class MatchReport
{
public:
    // The match after which the totals name the resident memory, besides the end.
    static constexpr int memoryReportMatch = 5;

    // Match lines and totals go to `out`; the game's log that a worker process caught, to `log`.
    MatchReport(const RunnerOptions& options, std::ostream& out, std::ostream& log);

    void add(const MatchRecord& record);
    void writeTotals(const FrameTimes& frames, double wallSeconds, long residentAtEnd);
    int played() const { return static_cast<int>(records.size()); }

private:
    struct Totals
    {
        std::map<int, int> wins;
        int founded = 0;
        int captured = 0;
        double medianMatchSeconds = 0.0;
        double realTimeFactor = 0.0;
        long residentAtReport = 0;
        int reportedAfter = 0;
    };

    void writeLine(const MatchRecord& record);
    void writeJson(const MatchRecord& record);
    Totals totalsOf() const;
    void writeTotalsLine(const Totals& totals, const FrameTimes& frames, double wallSeconds,
                         long residentAtEnd);
    void writeTotalsJson(const Totals& totals, const FrameTimes& frames, double wallSeconds,
                         long residentAtEnd);

    const RunnerOptions& options;
    std::ostream& out;
    std::ostream& log;
    // What the totals need of each match.
    struct Kept
    {
        int winnerId;
        int founded;
        int captured;
        double seconds;
        double gameMs;
        long residentKilobytes;
    };
    std::vector<Kept> records;
};
