#include "External/AINavigationMesh.h"

#include "External/AIFloorUnderPoint.h"
#include "External/AINavigationMeshBuilder.h"

#include <DetourCommon.h>
#include <algorithm>
#include <cmath>

namespace irr::AI
{
namespace
{
constexpr int smallestSearchNodeCount = 64;

core::vector3df toVector(const float* position)
{
    return {position[0], position[1], position[2]};
}
}  // namespace

std::unique_ptr<AINavigationMesh>
AINavigationMesh::build(const std::vector<core::triangle3df>& walkableTriangles, std::string& failure)
{
    AINavigationMeshBuilder builder(walkableTriangles);
    DetourNavMeshPointer navMesh = builder.build(failure);
    if (!navMesh)
        return nullptr;
    // Room for a search that visits every polygon once, so no search ends early for want of nodes.
    const int searchNodeCount = std::clamp(builder.getPolygonCount() + 1, smallestSearchNodeCount, 0xffff);
    DetourQueryPointer query(dtAllocNavMeshQuery());
    if (!query || dtStatusFailed(query->init(navMesh.get(), searchNodeCount)))
    {
        failure = "Detour could not prepare its path search";
        return nullptr;
    }
    return std::unique_ptr<AINavigationMesh>(
        new AINavigationMesh(std::move(navMesh), std::move(query), builder.getPolygonCount()));
}

AINavigationMesh::AINavigationMesh(DetourNavMeshPointer navMesh, DetourQueryPointer query, int polygonCount)
    : navMesh(std::move(navMesh)), query(std::move(query)), polygonCount(polygonCount),
      polygonPath(static_cast<std::size_t>(polygonCount) + 1),
      straightPath((static_cast<std::size_t>(polygonCount) + 2) * 3)
{
}

bool AINavigationMesh::isPointInsideNavigationMesh(const core::vector3df& point) const
{
    return AIFloorUnderPoint::find(*query, filter, point);
}

bool AINavigationMesh::findFloorPoint(const core::vector3df& point, FloorPoint& floorPoint) const
{
    const float center[3] = {point.X, point.Y, point.Z};
    const float halfExtents[3] = {snapReach, snapReach, snapReach};
    const dtStatus status = query->findNearestPoly(center, halfExtents, &filter, &floorPoint.polygon,
                                                   floorPoint.position, &floorPoint.overFloor);
    if (dtStatusFailed(status) || floorPoint.polygon == 0)
        return false;
    // Detour narrows the search box to its tile, so a point far above or below still finds the floor.
    for (int axis = 0; axis < 3; ++axis)
    {
        if (!(std::fabs(floorPoint.position[axis] - center[axis]) <= snapReach))
            return false;
    }
    return true;
}

bool AINavigationMesh::findPolygonPath(const FloorPoint& start, const FloorPoint& target,
                                       int& polygonPathLength)
{
    polygonPathLength = 0;
    const dtStatus status =
        query->findPath(start.polygon, target.polygon, start.position, target.position, &filter,
                        polygonPath.data(), &polygonPathLength, static_cast<int>(polygonPath.size()));
    // A partial path ends wherever the search came closest: the target lies on floor of its own.
    return dtStatusSucceed(status) && polygonPathLength > 0 &&
           polygonPath[polygonPathLength - 1] == target.polygon;
}

AINavigationMesh::PathResult AINavigationMesh::findStraightPath(const core::vector3df& start,
                                                                const core::vector3df& target,
                                                                std::vector<core::vector3df>& corners)
{
    corners.clear();
    FloorPoint startOnFloor;
    FloorPoint targetOnFloor;
    if (!findFloorPoint(start, startOnFloor) || !findFloorPoint(target, targetOnFloor))
        return PathResult::none;
    // A target over the floor is reached where it is; one off the floor where the floor comes closest.
    const core::vector3df lastCorner = targetOnFloor.overFloor ? target : toVector(targetOnFloor.position);
    if (dtVdist2DSqr(startOnFloor.position, targetOnFloor.position) <= sameSpotDistance * sameSpotDistance)
    {
        corners.push_back(lastCorner);
        return PathResult::sameSpot;
    }

    int polygonPathLength = 0;
    if (!findPolygonPath(startOnFloor, targetOnFloor, polygonPathLength))
        return PathResult::none;
    int cornerCount = 0;
    const int cornerLimit = static_cast<int>(straightPath.size() / 3);
    if (dtStatusFailed(query->findStraightPath(startOnFloor.position, targetOnFloor.position,
                                               polygonPath.data(), polygonPathLength, straightPath.data(),
                                               nullptr, nullptr, &cornerCount, cornerLimit)) ||
        cornerCount < 2)
        return PathResult::none;
    // The first corner is the start itself.
    for (int corner = 1; corner < cornerCount; ++corner)
        corners.push_back(toVector(&straightPath[static_cast<std::size_t>(corner) * 3]));
    corners.back() = lastCorner;
    return PathResult::found;
}
}  // namespace irr::AI
