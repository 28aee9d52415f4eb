#pragma once

#include <DetourNavMeshQuery.h>
#include <irrlicht.h>

namespace irr::AI
{
// Looks for the floor in a thin column through a point, checking each polygon as Detour finds it, so that
// however many polygons meet there, none is cut off.
class AIFloorUnderPoint : public dtPolyQuery
{
public:
    // True when a polygon lies under or around the point within AINavigationMesh's height and edge
    // tolerances.
    static bool find(const dtNavMeshQuery& query, const dtQueryFilter& filter, const core::vector3df& point);

    void process(const dtMeshTile* tile, dtPoly** polygons, dtPolyRef* references, int count) override;

private:
    AIFloorUnderPoint(const dtNavMeshQuery& query, const core::vector3df& point);

    bool holdsPoint(dtPolyRef polygon) const;

    const dtNavMeshQuery& query;
    float position[3];
    bool found = false;
};
}  // namespace irr::AI
