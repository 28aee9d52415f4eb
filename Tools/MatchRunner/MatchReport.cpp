#include "MatchReport.h"

#include <algorithm>
#include <iomanip>

namespace
{
double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    const std::size_t middle = (values.size() - 1) / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle), values.end());
    return values[middle];
}

// A JSON string of `text`.
std::string quoted(const std::string& text)
{
    std::ostringstream json;
    json << '"';
    for (const char c : text)
    {
        if (c == '"' || c == '\\')
            json << '\\' << c;
        else if (static_cast<unsigned char>(c) < 0x20)
            json << "\\u" << std::hex << std::setw(4) << std::setfill('0') << static_cast<int>(c) << std::dec;
        else
            json << c;
    }
    json << '"';
    return json.str();
}
}  // namespace

MatchReport::MatchReport(const RunnerOptions& options, std::ostream& out, std::ostream& log)
    : options(options), out(out), log(log)
{
}

void MatchReport::add(const MatchRecord& record)
{
    log << record.log << std::flush;
    if (options.json)
        writeJson(record);
    else
        writeLine(record);
    out << std::flush;
    Kept kept{record.summary.winnerId, 0, 0, record.seconds, record.gameMs, record.residentKilobytes};
    for (const MatchSummary::Player& player : record.summary.players)
    {
        kept.founded += player.campsFounded;
        kept.captured += player.campsCaptured;
    }
    records.push_back(kept);
}

void MatchReport::writeLine(const MatchRecord& record)
{
    out << record.summary.line(record.number);
    if (options.memory)
        out << " | resident " << record.residentKilobytes << " KB";
    out << '\n';
}

void MatchReport::writeJson(const MatchRecord& record)
{
    out << "{\"match\": " << record.number << ", \"seed\": " << record.seed << ", \"parameters\": {";
    for (int slot = 1; slot <= options.orcs; ++slot)
        out << (slot > 1 ? ", " : "") << '"' << slot << "\": " << quoted(options.setNameOf(slot));
    out << "}, \"winner\": ";
    if (record.summary.winnerId == MatchSummary::noWinner)
        out << "null";
    else
        out << record.summary.winnerId;
    out << ", \"players\": [";
    const char* separator = "";
    for (const MatchSummary::Player& player : record.summary.players)
    {
        out << separator << "{\"id\": " << player.id << ", \"score\": " << player.score
            << ", \"camps\": " << player.campsHeld << ", \"units\": " << player.unitsHeld
            << ", \"founded\": " << player.campsFounded << ", \"captured\": " << player.campsCaptured;
        if (player.watched)
            out << ", \"still_ms\": " << player.watch.longestStillMs
                << ", \"off_floor\": " << player.watch.framesOffFloor;
        out << '}';
        separator = ", ";
    }
    out << ']';
    if (options.memory)
        out << ", \"resident_kb\": " << record.residentKilobytes;
    out << "}\n";
}

MatchReport::Totals MatchReport::totalsOf() const
{
    Totals totals;
    std::vector<double> seconds;
    const int reportMatch = std::min(memoryReportMatch, options.matches);
    for (std::size_t index = 0; index < records.size(); ++index)
    {
        const Kept& kept = records[index];
        ++totals.wins[kept.winnerId];
        totals.founded += kept.founded;
        totals.captured += kept.captured;
        seconds.push_back(kept.seconds);
        if (static_cast<int>(index) + 1 == reportMatch)
        {
            totals.residentAtReport = kept.residentKilobytes;
            totals.reportedAfter = reportMatch;
        }
    }
    totals.medianMatchSeconds = median(seconds);
    double wall = 0.0;
    for (const double value : seconds)
        wall += value;
    double playedMs = 0.0;
    for (const Kept& kept : records)
        playedMs += kept.gameMs;
    totals.realTimeFactor = wall > 0.0 ? playedMs / 1000.0 / wall : 0.0;
    return totals;
}

void MatchReport::writeTotals(const FrameTimes& frames, double wallSeconds, long residentAtEnd)
{
    const Totals totals = totalsOf();
    if (options.json)
        writeTotalsJson(totals, frames, wallSeconds, residentAtEnd);
    else
        writeTotalsLine(totals, frames, wallSeconds, residentAtEnd);
    out << std::flush;
}

void MatchReport::writeTotalsLine(const Totals& totals, const FrameTimes& frames, double wallSeconds,
                                  long residentAtEnd)
{
    out << "total: " << played() << " of " << options.matches << " matches played, wins";
    for (const auto& [id, count] : totals.wins)
        out << " id " << id << ": " << count;
    out << ", camps founded " << totals.founded << ", captured " << totals.captured << std::fixed
        << std::setprecision(3) << ", wall " << wallSeconds << " s, " << totals.medianMatchSeconds
        << " s per match (median), " << std::setprecision(0) << totals.realTimeFactor
        << "x real time, frame median " << std::setprecision(1) << frames.percentile(0.5) << " us, p99 "
        << frames.percentile(0.99) << " us, resident memory ";
    if (totals.reportedAfter > 0)
        out << totals.residentAtReport << " KB after match " << totals.reportedAfter << ", ";
    out << residentAtEnd << " KB after the last\n";
}

void MatchReport::writeTotalsJson(const Totals& totals, const FrameTimes& frames, double wallSeconds,
                                  long residentAtEnd)
{
    out << "{\"total\": {\"played\": " << played() << ", \"matches\": " << options.matches << ", \"wins\": {";
    const char* separator = "";
    for (const auto& [id, count] : totals.wins)
    {
        out << separator << '"' << id << "\": " << count;
        separator = ", ";
    }
    out << "}, \"founded\": " << totals.founded << ", \"captured\": " << totals.captured
        << ", \"wall_s\": " << wallSeconds << ", \"median_match_s\": " << totals.medianMatchSeconds
        << ", \"real_time_factor\": " << totals.realTimeFactor
        << ", \"frame_median_us\": " << frames.percentile(0.5)
        << ", \"frame_p99_us\": " << frames.percentile(0.99) << ", \"resident_kb\": " << residentAtEnd
        << "}}\n";
}
