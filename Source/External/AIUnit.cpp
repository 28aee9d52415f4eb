#include "External/AIUnit.h"

#include "GameEngine/Console.h"

namespace irr::AI
{
AIUnit::AIUnit(AIWorld* world) : world(world)
{
    if (!world)
        Console::warning("Navigation unit made without a world; it will find no paths");
}

AIUnit::~AIUnit() = default;

bool AIUnit::navigateToPoint(const AIPoint& target, IAIUnitUpdateReceiver* receiver,
                             const core::vector3df& start)
{
    if (!receiver)
    {
        missingReceiver.warn("Navigation asked without a receiver for the path; nothing is searched");
        return false;
    }
    // A world without a floor reported that when its floor failed to load.
    AINavigationMesh* mesh = world ? world->getNavigationMesh() : nullptr;
    if (!mesh)
        return false;
    // The corners are the call's own: a receiver may ask for another path from inside its callback.
    std::vector<core::vector3df> corners;
    const AINavigationMesh::PathResult result = mesh->findStraightPath(start, target.getPosition(), corners);
    if (result == AINavigationMesh::PathResult::none)
        return false;
    const bool reachedEnd = result == AINavigationMesh::PathResult::sameSpot;
    for (const core::vector3df& corner : corners)
    {
        AIPoint point(corner);
        receiver->onUnitUpdate(&point, reachedEnd);
    }
    return true;
}
}  // namespace irr::AI
