#pragma once

#include "External/AIDetourHandles.h"

#include <irrlicht.h>
#include <memory>
#include <string>
#include <vector>

namespace irr::AI
{
// The walkable floor of the arena as a Detour navigation mesh, with the queries the game asks of it.
class AINavigationMesh
{
public:
    // Null when Detour cannot hold the triangles; `failure` then says why.
    static std::unique_ptr<AINavigationMesh> build(const std::vector<core::triangle3df>& walkableTriangles,
                                                   std::string& failure);

    // True for a point over the floor or its edge, from `depthBelowFloor` under it to `heightAboveFloor`
    // above it.
    bool isPointInsideNavigationMesh(const core::vector3df& point) const;

    enum class PathResult
    {
        found,     // `corners` holds the corners after the start, the target last
        sameSpot,  // start and target are one spot; `corners` holds the target alone
        none       // no path: an end lies too far off the floor, or on floor cut off from the other
    };
    // The string-pulled path over the floor. A target off the floor is moved to the nearest point on it.
    PathResult findStraightPath(const core::vector3df& start, const core::vector3df& target,
                                std::vector<core::vector3df>& corners);

    int getPolygonCount() const { return polygonCount; }

    // A unit stands at height 1 over the floor, a player at 3.
    static constexpr float heightAboveFloor = 3.5f;
    static constexpr float depthBelowFloor = 0.5f;
    // A point this close to the floor's edge, seen from above, is on the floor: paths run along edges.
    static constexpr float edgeTolerance = 0.01f;
    // How far off the floor (each way, each axis) a path's start or target may lie and still be moved onto
    // it.
    static constexpr float snapReach = 10.0f;
    // Closer than this over the floor, start and target count as one spot.
    static constexpr float sameSpotDistance = 0.05f;

private:
    AINavigationMesh(DetourNavMeshPointer navMesh, DetourQueryPointer query, int polygonCount);

    struct FloorPoint
    {
        dtPolyRef polygon = 0;
        float position[3] = {0.0f, 0.0f, 0.0f};
        bool overFloor = false;
    };
    bool findFloorPoint(const core::vector3df& point, FloorPoint& floorPoint) const;
    bool findPolygonPath(const FloorPoint& start, const FloorPoint& target, int& polygonPathLength);

    DetourNavMeshPointer navMesh;
    DetourQueryPointer query;
    dtQueryFilter filter;
    int polygonCount = 0;
    // Reused by every search, so a search allocates nothing.
    std::vector<dtPolyRef> polygonPath;
    std::vector<float> straightPath;
};
}  // namespace irr::AI
