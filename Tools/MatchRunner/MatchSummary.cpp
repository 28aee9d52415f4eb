#include "MatchSummary.h"

#include <sstream>

MatchSummary MatchSummary::of(const BaseGameScene& match)
{
    const MatchStandings standings = MatchStandings::of(match);
    MatchSummary summary;
    summary.winnerId = standings.winnerId;
    for (const MatchStandings::Player& standing : standings.players)
    {
        Player result;
        static_cast<MatchStandings::Player&>(result) = standing;
        summary.players.push_back(result);
    }
    return summary;
}

void MatchSummary::addWatch(const std::map<int, MatchWatch::Record>& records)
{
    for (Player& player : players)
    {
        const auto record = records.find(player.id);
        player.watched = record != records.end();
        if (player.watched)
            player.watch = record->second;
    }
}

void MatchSummary::addDurations(const std::map<int, MatchWatch::Durations>& durations)
{
    for (Player& player : players)
    {
        const auto found = durations.find(player.id);
        player.durations = found != durations.end() ? found->second : MatchWatch::Durations();
    }
}

namespace
{
void writeSpans(std::ostream& text, const char* name, const MatchWatch::Spans& spans)
{
    text << ' ' << name << ' ';
    if (spans.count == 0)
        text << "none";
    else
        text << spans.shortestMs << '-' << spans.longestMs;
}
}  // namespace

std::string MatchSummary::line(int number) const
{
    std::ostringstream text;
    text << "match " << number << ": winner ";
    if (winnerId == noWinner)
        text << "none";
    else
        text << winnerId;
    for (const Player& player : players)
    {
        text << " | id " << player.id << " score " << player.score << " camps " << player.campsHeld
             << " units " << player.unitsHeld << " founded " << player.campsFounded << " captured "
             << player.campsCaptured;
        if (player.watched)
            text << " still " << player.watch.longestStillMs << " ms off-floor "
                 << player.watch.framesOffFloor;
        if (player.durations)
        {
            writeSpans(text, "dash", player.durations->dash);
            writeSpans(text, "cooldown", player.durations->cooldown);
            writeSpans(text, "stun", player.durations->stun);
            text << " ms";
        }
    }
    if (jump)
        text << " | long frame " << jump->frameMs << " ms: game " << jump->gameMs << " ms, ring "
             << jump->ringChange << ", score " << jump->scoreChange << ", move " << jump->move;
    return text.str();
}
