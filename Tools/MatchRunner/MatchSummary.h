#pragma once

#include "MatchWatch.h"

#include <optional>
#include <string>
#include <vector>

class BaseGameScene;

// What a finished match left behind: its winner and each player's results, in the match's order.
struct MatchSummary
{
    struct Player
    {
        int id = 0;
        int score = 0;
        int campsHeld = 0;
        // Units in the camps it holds and in its chain.
        int unitsHeld = 0;
        int campsFounded = 0;
        int campsCaptured = 0;
        // Computer players only: what the match's watch saw.
        bool watched = false;
        MatchWatch::Record watch;
        // When asked for: how long its timed states lasted.
        std::optional<MatchWatch::Durations> durations;
    };

    static constexpr int noWinner = -1;

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
