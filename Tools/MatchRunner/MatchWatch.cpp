#include "MatchWatch.h"

#include "AI/AIPlayer.h"
#include "Entities/Unit.h"
#include "External/AIWorld.h"
#include "Scenes/BaseGameScene.h"

#include <algorithm>
#include <cmath>

bool MatchWatch::nearTheFloor(const irr::AI::AINavigationMesh& floor, const irr::core::vector3df& position)
{
    // At the height orcs walk at: an orc lifted onto the dragon still stands over the floor. The floor
    // keeps a margin from every wall and obstacle, and a walk may end a step past its edge: only a
    // position with no floor anywhere within that margin is inside something or outside the arena.
    const irr::core::vector3df walking(position.X, AIPlayer::waypointHeight, position.Z);
    if (floor.isPointInsideNavigationMesh(walking))
        return true;
    for (int direction = 0; direction < edgeDirections; ++direction)
    {
        const float angle = static_cast<float>(direction) * irr::core::PI * 2.0f / edgeDirections;
        const irr::core::vector3df offset(std::sin(angle) * edgeAllowance, 0.0f,
                                          std::cos(angle) * edgeAllowance);
        if (floor.isPointInsideNavigationMesh(walking + offset))
            return true;
    }
    return false;
}

void MatchWatch::observe(const BaseGameScene& match, float frameMs)
{
    const bool unitsToFetch = std::any_of(match.units.begin(), match.units.end(),
                                          [](const std::shared_ptr<Unit>& unit) { return !unit->following; });
    const irr::AI::AINavigationMesh* floor = match.walkableFloor();
    for (const std::shared_ptr<AIPlayer>& orc : match.aiPlayers)
    {
        const irr::core::vector3df position = orc->node->getPosition();
        Record& record = byPlayer[orc->id];
        Tracking& track = tracking[orc->id];
        // Still means not getting anywhere: an orc jittering on one spot is as stuck as one standing there.
        const bool still = track.seen && position.getDistanceFrom(track.anchor) < stillDistance;
        if (!still)
            track.anchor = position;
        track.stillMs = still && unitsToFetch ? track.stillMs + frameMs : 0.0f;
        record.longestStillMs = std::max(record.longestStillMs, track.stillMs);
        track.seen = true;
        if (floor && !nearTheFloor(*floor, position))
            ++record.framesOffFloor;
    }
}

void MatchWatch::reset()
{
    byPlayer.clear();
    tracking.clear();
}
