#pragma once

#include <irrlicht.h>
#include <vector>

namespace irr::AI
{
// The triangles of a mesh that a unit can stand on, in the mesh's own coordinates (as Irrlicht
// loaded them). Degenerate triangles and those too steep to stand on are left out.
class AIWalkableSurface
{
public:
    static AIWalkableSurface fromMesh(const scene::IMesh* mesh);

    const std::vector<core::triangle3df>& getTriangles() const { return triangles; }
    bool isEmpty() const { return triangles.empty(); }
    // Of the walkable triangles only; empty box when there are none.
    const core::aabbox3df& getBoundingBox() const { return boundingBox; }
    // Triangles without area (or with coordinates that are not numbers): faults of the file.
    int getDegenerateTriangleCount() const { return degenerateTriangleCount; }

    // The slope limit: a floor tilted further than this is a wall.
    static constexpr float steepestWalkableSlopeDegrees = 50.0f;
    // Below this area (square units) a triangle covers nothing a unit could stand on.
    static constexpr float smallestTriangleArea = 1e-6f;

private:
    void addBuffer(const scene::IMeshBuffer& buffer);
    void addTriangle(const core::triangle3df& triangle);

    std::vector<core::triangle3df> triangles;
    core::aabbox3df boundingBox{0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    int degenerateTriangleCount = 0;
};
}  // namespace irr::AI
