#include "MatchRecord.h"

#include <iomanip>
#include <limits>
#include <sstream>

std::string MatchRecord::text() const
{
    std::ostringstream text;
    text << std::setprecision(std::numeric_limits<double>::max_digits10) << number << ' ' << seed << ' '
         << seconds << ' ' << residentKilobytes << ' ' << summary.winnerId << ' ' << summary.players.size()
         << '\n';
    for (const MatchSummary::Player& player : summary.players)
        text << player.id << ' ' << player.score << ' ' << player.campsHeld << ' ' << player.unitsHeld << ' '
             << player.campsFounded << ' ' << player.campsCaptured << ' ' << player.watched << ' '
             << player.watch.longestStillMs << ' ' << player.watch.framesOffFloor << '\n';
    text << log.size() << ' ' << telemetry.size() << '\n' << log << telemetry;
    return text.str();
}

bool MatchRecord::readText(const std::string& text, MatchRecord& record)
{
    std::istringstream in(text);
    std::size_t players = 0;
    in >> record.number >> record.seed >> record.seconds >> record.residentKilobytes >>
        record.summary.winnerId >> players;
    record.summary.players.assign(players, {});
    for (MatchSummary::Player& player : record.summary.players)
        in >> player.id >> player.score >> player.campsHeld >> player.unitsHeld >> player.campsFounded >>
            player.campsCaptured >> player.watched >> player.watch.longestStillMs >>
            player.watch.framesOffFloor;
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
