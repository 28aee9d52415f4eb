#include "External/AIFloorUnderPoint.h"

#include "External/AINavigationMesh.h"

#include <DetourCommon.h>

namespace irr::AI
{
bool AIFloorUnderPoint::find(const dtNavMeshQuery& query, const dtQueryFilter& filter,
                             const core::vector3df& point)
{
    // The floor must cross the column within the height tolerance.
    const float center[3] = {
        point.X, point.Y + 0.5f * (AINavigationMesh::depthBelowFloor - AINavigationMesh::heightAboveFloor),
        point.Z};
    const float halfExtents[3] = {
        AINavigationMesh::edgeTolerance,
        0.5f * (AINavigationMesh::depthBelowFloor + AINavigationMesh::heightAboveFloor),
        AINavigationMesh::edgeTolerance};
    AIFloorUnderPoint search(query, point);
    return dtStatusSucceed(query.queryPolygons(center, halfExtents, &filter, &search)) && search.found;
}

AIFloorUnderPoint::AIFloorUnderPoint(const dtNavMeshQuery& query, const core::vector3df& point)
    : query(query), position{point.X, point.Y, point.Z}
{
}

void AIFloorUnderPoint::process(const dtMeshTile*, dtPoly**, dtPolyRef* references, int count)
{
    for (int index = 0; index < count && !found; ++index)
        found = holdsPoint(references[index]);
}

bool AIFloorUnderPoint::holdsPoint(dtPolyRef polygon) const
{
    float closest[3];
    bool overPolygon = false;
    if (dtStatusFailed(query.closestPointOnPoly(polygon, position, closest, &overPolygon)))
        return false;
    const float heightOverFloor = position[1] - closest[1];
    const bool overOrOnEdge =
        overPolygon ||
        dtVdist2DSqr(position, closest) <= AINavigationMesh::edgeTolerance * AINavigationMesh::edgeTolerance;
    return overOrOnEdge && heightOverFloor >= -AINavigationMesh::depthBelowFloor &&
           heightOverFloor <= AINavigationMesh::heightAboveFloor;
}
}  // namespace irr::AI
