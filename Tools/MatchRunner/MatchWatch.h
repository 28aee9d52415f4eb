#pragma once

#include <irrlicht.h>
#include <map>

class BaseGameScene;
namespace irr::AI
{
class AINavigationMesh;
}

// Watches every frame of a match for what a summary at its end cannot see: computer players that stand
// still while there are units to fetch, and any player off the walkable floor.
class MatchWatch
{
public:
    struct Record
    {
        float longestStillMs = 0.0f;
        int framesOffFloor = 0;
    };

    // An orc that stays this close to where it stood counts as standing still.
    static constexpr float stillDistance = 1.0f;
    // Less than the floor's margin from every wall and obstacle.
    static constexpr float edgeAllowance = 1.4f;
    static constexpr int edgeDirections = 8;

    void observe(const BaseGameScene& match, float frameMs);
    void reset();
    // By player id.
    const std::map<int, Record>& records() const { return byPlayer; }

private:
    static bool nearTheFloor(const irr::AI::AINavigationMesh& floor, const irr::core::vector3df& position);

    struct Tracking
    {
        // Where the orc stood when it last got somewhere.
        irr::core::vector3df anchor;
        float stillMs = 0.0f;
        bool seen = false;
    };

    std::map<int, Record> byPlayer;
    std::map<int, Tracking> tracking;
};
