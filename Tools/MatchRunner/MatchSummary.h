#pragma once

#include "MatchWatch.h"
#include "Scenes/MatchStandings.h"

#include <optional>
#include <string>
#include <vector>

class BaseGameScene;

// What a finished match left behind: its winner and each player's results, in the match's order.
struct MatchSummary
{
    // The figures the match's own results show, and what the runner watched.
    struct Player : MatchStandings::Player
    {
        // Computer players only: what the match's watch saw.
        bool watched = false;
        MatchWatch::Record watch;
        // When asked for: how long its timed states lasted.
        std::optional<MatchWatch::Durations> durations;
    };

    static constexpr int noWinner = MatchStandings::noWinner;

    // Read from the match just before it leaves, while it still holds its players and camps.
    static MatchSummary of(const BaseGameScene& match);
    void addWatch(const std::map<int, MatchWatch::Record>& records);
    void addDurations(const std::map<int, MatchWatch::Durations>& durations);
    // One line, "match N: ...", that reads the same for the same match.
    std::string line(int number) const;

    int winnerId = noWinner;
    std::vector<Player> players;
    // What one long frame changed, if the match had one.
    std::optional<MatchWatch::Jump> jump;
};
