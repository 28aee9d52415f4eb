#pragma once

#include <irrlicht.h>
#include <string>
#include <vector>

// The JSON texts the game streams to its observer, built piece by piece exactly as the observer reads them.
class TelemetryMessage
{
public:
    struct Score
    {
        int id;
        unsigned points;
    };

    // Players and the match report on frames whose time, in whole milliseconds, is a multiple of this.
    static constexpr long long period = 50;
    static bool isDue(float totalTime) { return static_cast<long long>(totalTime) % period == 0; }

    // A player's position and every player's score, in the match's order of players.
    static std::string player(int id, const irr::core::vector3df& position, const std::vector<Score>& scores);
    // The frame rate, the time since the game started, the camps and the units nobody holds.
    static std::string stats(int framesPerSecond, float gameTime, unsigned camps, int freeUnits);
    // The tiles of an influence map, in index order; width and height come already written.
    static std::string influence(const std::string& widthText, const std::string& heightText,
                                 const std::vector<float>& tiles);
};
