#include "External/AINavigationMeshBuilder.h"

#include <DetourAlloc.h>
#include <DetourNavMeshBuilder.h>
#include <algorithm>
#include <cmath>
#include <map>

namespace irr::AI
{
namespace
{
constexpr int cornersPerPolygon = 3;
constexpr unsigned short walkableFlag = 1;
constexpr unsigned char floorArea = 0;

unsigned long long edgeKey(unsigned short a, unsigned short b)
{
    return (static_cast<unsigned long long>(std::min(a, b)) << 16) | std::max(a, b);
}
}  // namespace

AINavigationMeshBuilder::AINavigationMeshBuilder(const std::vector<core::triangle3df>& triangles)
    : triangles(triangles)
{
}

DetourNavMeshPointer AINavigationMeshBuilder::build(std::string& failure)
{
    if (triangles.empty())
    {
        failure = "no walkable triangles";
        return nullptr;
    }
    chooseGrid();
    for (const core::triangle3df& triangle : triangles)
        addTriangle(triangle);
    if (tooManyVertices)
    {
        failure = "more than 65534 distinct corners";
        return nullptr;
    }
    if (polygons.empty() || static_cast<int>(polygons.size()) >= polygonLimit)
    {
        failure = polygons.empty() ? "every triangle collapsed onto the grid of " + std::to_string(cellSize)
                                   : "more than 32767 triangles";
        return nullptr;
    }

    const std::vector<unsigned short> records = polygonRecords();
    dtNavMeshCreateParams parameters = creationParameters(records);
    unsigned char* data = nullptr;
    int dataSize = 0;
    if (!dtCreateNavMeshData(&parameters, &data, &dataSize))
    {
        failure = "Detour could not lay out the polygons";
        return nullptr;
    }
    DetourNavMeshPointer navMesh(dtAllocNavMesh());
    if (!navMesh || dtStatusFailed(navMesh->init(data, dataSize, DT_TILE_FREE_DATA)))
    {
        dtFree(data);
        failure = "Detour could not take the polygons";
        return nullptr;
    }
    return navMesh;
}

void AINavigationMeshBuilder::chooseGrid()
{
    core::aabbox3df box(triangles.front().pointA);
    for (const core::triangle3df& triangle : triangles)
    {
        box.addInternalPoint(triangle.pointA);
        box.addInternalPoint(triangle.pointB);
        box.addInternalPoint(triangle.pointC);
    }
    const core::vector3df extent = box.getExtent();
    const float largestExtent = std::max({extent.X, extent.Y, extent.Z});
    // Fine enough that snapping moves no corner by more than half a centimetre on an arena,
    // coarse enough that the largest mesh still fits Detour's 16-bit positions.
    cellSize = std::max(finestCellSize, largestExtent / largestCellCount);
    cellCount = std::ceil(largestExtent / cellSize) + 1.0f;
    origin = box.MinEdge;
}

unsigned short AINavigationMeshBuilder::vertexAt(const core::vector3df& position)
{
    const auto cell = [this](float coordinate, float start)
    { return static_cast<unsigned short>(std::lround((coordinate - start) / cellSize)); };
    const unsigned short x = cell(position.X, origin.X);
    const unsigned short y = cell(position.Y, origin.Y);
    const unsigned short z = cell(position.Z, origin.Z);
    const unsigned long long key =
        (static_cast<unsigned long long>(x) << 32) | (static_cast<unsigned long long>(y) << 16) | z;
    const auto found = vertexIndices.find(key);
    if (found != vertexIndices.end())
        return found->second;
    const std::size_t index = vertices.size() / 3;
    if (index >= noNeighbour)
    {
        tooManyVertices = true;
        return 0;
    }
    vertices.insert(vertices.end(), {x, y, z});
    vertexIndices.emplace(key, static_cast<unsigned short>(index));
    return static_cast<unsigned short>(index);
}

long long AINavigationMeshBuilder::doubledArea(const Polygon& polygon) const
{
    // Detour's own orientation test (dtTriArea2D) in whole cells, so the sign is exact.
    const auto coordinate = [this](unsigned short vertex, int axis)
    { return static_cast<long long>(vertices[vertex * 3 + axis]); };
    const long long abx = coordinate(polygon[1], 0) - coordinate(polygon[0], 0);
    const long long abz = coordinate(polygon[1], 2) - coordinate(polygon[0], 2);
    const long long acx = coordinate(polygon[2], 0) - coordinate(polygon[0], 0);
    const long long acz = coordinate(polygon[2], 2) - coordinate(polygon[0], 2);
    return acx * abz - abx * acz;
}

void AINavigationMeshBuilder::addTriangle(const core::triangle3df& triangle)
{
    Polygon polygon{vertexAt(triangle.pointA), vertexAt(triangle.pointB), vertexAt(triangle.pointC)};
    if (tooManyVertices)
        return;
    const long long area = doubledArea(polygon);
    // A triangle thinner than a cell collapses when snapped; its neighbours close the gap.
    if (area == 0)
        return;
    // Detour's funnel reads the corners of a polygon in one turning direction only.
    if (area < 0)
        std::swap(polygon[1], polygon[2]);
    Polygon sorted = polygon;
    std::sort(sorted.begin(), sorted.end());
    if (!sortedPolygons.insert(sorted).second)
        return;
    polygons.push_back(polygon);
    flags.push_back(walkableFlag);
    areas.push_back(floorArea);
}

std::vector<unsigned short> AINavigationMeshBuilder::polygonRecords() const
{
    // Per polygon: its corners, then for each edge (corner i to i + 1) the polygon across it.
    std::vector<unsigned short> records(polygons.size() * cornersPerPolygon * 2, noNeighbour);
    std::map<unsigned long long, std::vector<std::pair<std::size_t, int>>> edgeUsers;
    for (std::size_t index = 0; index < polygons.size(); ++index)
    {
        for (int corner = 0; corner < cornersPerPolygon; ++corner)
        {
            records[index * cornersPerPolygon * 2 + corner] = polygons[index][corner];
            const unsigned short next = polygons[index][(corner + 1) % cornersPerPolygon];
            edgeUsers[edgeKey(polygons[index][corner], next)].emplace_back(index, corner);
        }
    }
    for (const auto& [key, users] : edgeUsers)
    {
        // An edge shared by more than two triangles is not a floor anyone can cross cleanly.
        if (users.size() != 2)
            continue;
        const auto [first, firstEdge] = users[0];
        const auto [second, secondEdge] = users[1];
        records[first * cornersPerPolygon * 2 + cornersPerPolygon + firstEdge] =
            static_cast<unsigned short>(second);
        records[second * cornersPerPolygon * 2 + cornersPerPolygon + secondEdge] =
            static_cast<unsigned short>(first);
    }
    return records;
}

dtNavMeshCreateParams
AINavigationMeshBuilder::creationParameters(const std::vector<unsigned short>& records) const
{
    dtNavMeshCreateParams parameters{};
    parameters.verts = vertices.data();
    parameters.vertCount = static_cast<int>(vertices.size() / 3);
    parameters.polys = records.data();
    parameters.polyFlags = flags.data();
    parameters.polyAreas = areas.data();
    parameters.polyCount = static_cast<int>(polygons.size());
    parameters.nvp = cornersPerPolygon;
    parameters.walkableHeight = agentHeight;
    parameters.walkableRadius = agentRadius;
    parameters.walkableClimb = agentClimb;
    parameters.cs = cellSize;
    parameters.ch = cellSize;
    parameters.buildBvTree = true;
    const float side = cellCount * cellSize;
    const float minimum[3] = {origin.X, origin.Y, origin.Z};
    const float maximum[3] = {origin.X + side, origin.Y + side, origin.Z + side};
    std::copy(minimum, minimum + 3, parameters.bmin);
    std::copy(maximum, maximum + 3, parameters.bmax);
    return parameters;
}
}  // namespace irr::AI
