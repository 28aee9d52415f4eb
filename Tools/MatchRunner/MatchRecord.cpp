#include "MatchRecord.h"

#include <iomanip>
#include <limits>
#include <sstream>

namespace
{
void writeSpans(std::ostream& text, const MatchWatch::Spans& spans)
{
    text << ' ' << spans.shortestMs << ' ' << spans.longestMs << ' ' << spans.count;
}

void readSpans(std::istream& in, MatchWatch::Spans& spans)
{
    in >> spans.shortestMs >> spans.longestMs >> spans.count;
}

// The parts a match line shows only when asked for: a flag, then the values.
void writeDurations(std::ostream& text, const std::optional<MatchWatch::Durations>& durations)
{
    text << ' ' << durations.has_value();
    if (!durations)
        return;
    writeSpans(text, durations->dash);
    writeSpans(text, durations->cooldown);
    writeSpans(text, durations->stun);
}

void readDurations(std::istream& in, std::optional<MatchWatch::Durations>& durations)
{
    bool given = false;
    in >> given;
    if (!given)
        return;
    durations.emplace();
    readSpans(in, durations->dash);
    readSpans(in, durations->cooldown);
    readSpans(in, durations->stun);
}

void writeJump(std::ostream& text, const std::optional<MatchWatch::Jump>& jump)
{
    text << jump.has_value();
    if (jump)
        text << ' ' << jump->frameMs << ' ' << jump->gameMs << ' ' << jump->ringChange << ' '
             << jump->scoreChange << ' ' << jump->move;
    text << '\n';
}

void readJump(std::istream& in, std::optional<MatchWatch::Jump>& jump)
{
    bool given = false;
    in >> given;
    if (!given)
        return;
    jump.emplace();
    in >> jump->frameMs >> jump->gameMs >> jump->ringChange >> jump->scoreChange >> jump->move;
}
}  // namespace

std::string MatchRecord::text() const
{
    std::ostringstream text;
    text << std::setprecision(std::numeric_limits<double>::max_digits10) << number << ' ' << seed << ' '
         << seconds << ' ' << gameMs << ' ' << residentKilobytes << ' ' << summary.winnerId << ' '
         << summary.players.size() << '\n';
    for (const MatchSummary::Player& player : summary.players)
    {
        text << player.id << ' ' << player.score << ' ' << player.campsHeld << ' ' << player.unitsHeld << ' '
             << player.campsFounded << ' ' << player.campsCaptured << ' ' << player.watched << ' '
             << player.watch.longestStillMs << ' ' << player.watch.framesOffFloor;
        writeDurations(text, player.durations);
        text << '\n';
    }
    writeJump(text, summary.jump);
    text << log.size() << ' ' << telemetry.size() << '\n' << log << telemetry;
    return text.str();
}

bool MatchRecord::readText(const std::string& text, MatchRecord& record)
{
    std::istringstream in(text);
    std::size_t players = 0;
    in >> record.number >> record.seed >> record.seconds >> record.gameMs >> record.residentKilobytes >>
        record.summary.winnerId >> players;
    record.summary.players.assign(players, {});
    for (MatchSummary::Player& player : record.summary.players)
    {
        in >> player.id >> player.score >> player.campsHeld >> player.unitsHeld >> player.campsFounded >>
            player.campsCaptured >> player.watched >> player.watch.longestStillMs >>
            player.watch.framesOffFloor;
        readDurations(in, player.durations);
    }
    readJump(in, record.summary.jump);
    std::size_t logSize = 0;
    std::size_t telemetrySize = 0;
    in >> logSize >> telemetrySize;
    if (!in || in.get() != '\n')
        return false;
    const auto start = static_cast<std::size_t>(in.tellg());
    if (text.size() != start + logSize + telemetrySize)
        return false;
    record.log = text.substr(start, logSize);
    record.telemetry = text.substr(start + logSize);
    return true;
}
