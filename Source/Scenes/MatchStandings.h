#pragma once

#include <irrlicht.h>
#include <string>
#include <vector>

class BaseGameScene;

// How every player of a match stands: its results, read from the match's players and camps, and its
// rank by the rule that names the winner. The match's results panel, the menu's line about the last match
// and the match runner's report all take their figures from here.
struct MatchStandings
{
    struct Player
    {
        int id = 0;
        bool human = false;
        irr::video::SColor color;
        int score = 0;
        int campsHeld = 0;
        // Units in the camps it holds and in its chain.
        int unitsHeld = 0;
        int campsFounded = 0;
        int campsCaptured = 0;
        // 1 for the winner; players of equal weight rank in the match's order, as the winner is chosen.
        int rank = 0;

        // "You" for the human player, "Orc 1" and on for the computer players by their number.
        std::wstring name() const;
    };

    static constexpr int noWinner = -1;

    static MatchStandings of(const BaseGameScene& match);

    // The players by rank, the winner first.
    std::vector<Player> ranked() const;
    // The human player's standing; null in a match without one.
    const Player* human() const;

    int winnerId = noWinner;
    // In the match's order: the human player first, then the computer players as they were made.
    std::vector<Player> players;
};
