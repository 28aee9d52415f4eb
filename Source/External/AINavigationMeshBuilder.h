#pragma once

#include "External/AIDetourHandles.h"

#include <DetourNavMeshBuilder.h>

#include <array>
#include <irrlicht.h>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace irr::AI
{
// Makes a one-tile Detour navigation mesh straight from walkable triangles, one polygon each: the
// navigation file already is the walkable floor, so it is taken as drawn rather than re-voxelised.
class AINavigationMeshBuilder
{
public:
    explicit AINavigationMeshBuilder(const std::vector<core::triangle3df>& triangles);

    // Null when Detour cannot hold the triangles; `failure` then says why.
    DetourNavMeshPointer build(std::string& failure);

    int getPolygonCount() const { return static_cast<int>(polygons.size()); }

    // Detour stores positions as 16-bit steps of one cell from the corner of the mesh.
    static constexpr float finestCellSize = 0.01f;
    static constexpr float largestCellCount = 60000.0f;
    // Detour marks a polygon edge without a neighbour with this index.
    static constexpr unsigned short noNeighbour = 0xffff;
    // Neighbour indices above this carry Detour's portal flags, so polygons must stay below it.
    static constexpr int polygonLimit = 0x8000;
    // What Detour assumes of an agent; only the climb matters here, to tell floors apart in height.
    static constexpr float agentHeight = 2.0f;
    static constexpr float agentRadius = 0.5f;
    static constexpr float agentClimb = 1.0f;

private:
    using Polygon = std::array<unsigned short, 3>;

    void chooseGrid();
    void addTriangle(const core::triangle3df& triangle);
    unsigned short vertexAt(const core::vector3df& position);
    long long doubledArea(const Polygon& polygon) const;
    std::vector<unsigned short> polygonRecords() const;
    dtNavMeshCreateParams creationParameters(const std::vector<unsigned short>& records) const;

    const std::vector<core::triangle3df>& triangles;
    core::vector3df origin;
    float cellSize = finestCellSize;
    float cellCount = 0.0f;
    std::vector<unsigned short> vertices;  // x, y, z in cells
    std::unordered_map<unsigned long long, unsigned short> vertexIndices;
    std::set<Polygon> sortedPolygons;  // to drop a triangle drawn twice
    std::vector<Polygon> polygons;
    std::vector<unsigned short> flags;
    std::vector<unsigned char> areas;
    bool tooManyVertices = false;
};
}  // namespace irr::AI
