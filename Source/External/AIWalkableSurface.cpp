#include "External/AIWalkableSurface.h"

#include "External/VectorChecks.h"

#include <cmath>

namespace irr::AI
{
namespace
{
u32 indexAt(const scene::IMeshBuffer& buffer, u32 position)
{
    if (buffer.getIndexType() == video::EIT_32BIT)
        return reinterpret_cast<const u32*>(buffer.getIndices())[position];
    return buffer.getIndices()[position];
}

float smallestUpwardNormal()
{
    return std::cos(AIWalkableSurface::steepestWalkableSlopeDegrees * core::DEGTORAD);
}
}  // namespace

AIWalkableSurface AIWalkableSurface::fromMesh(const scene::IMesh* mesh)
{
    AIWalkableSurface surface;
    if (!mesh)
        return surface;
    for (u32 index = 0; index < mesh->getMeshBufferCount(); ++index)
    {
        if (const scene::IMeshBuffer* buffer = mesh->getMeshBuffer(index))
            surface.addBuffer(*buffer);
    }
    return surface;
}

void AIWalkableSurface::addBuffer(const scene::IMeshBuffer& buffer)
{
    const u32 vertexCount = buffer.getVertexCount();
    const u32 indexCount = buffer.getIndexCount() - buffer.getIndexCount() % 3;
    for (u32 first = 0; first < indexCount; first += 3)
    {
        const u32 a = indexAt(buffer, first);
        const u32 b = indexAt(buffer, first + 1);
        const u32 c = indexAt(buffer, first + 2);
        if (a >= vertexCount || b >= vertexCount || c >= vertexCount)
        {
            ++degenerateTriangleCount;
            continue;
        }
        addTriangle({buffer.getPosition(a), buffer.getPosition(b), buffer.getPosition(c)});
    }
}

void AIWalkableSurface::addTriangle(const core::triangle3df& triangle)
{
    const core::vector3df doubledNormal =
        (triangle.pointB - triangle.pointA).crossProduct(triangle.pointC - triangle.pointA);
    const float area = 0.5f * doubledNormal.getLength();
    if (!VectorChecks::isFinite(triangle.pointA) || !VectorChecks::isFinite(triangle.pointB) ||
        !VectorChecks::isFinite(triangle.pointC) || !(area >= smallestTriangleArea))
    {
        ++degenerateTriangleCount;
        return;
    }
    // Either winding counts: the floor of a navigation file may face either way after loading.
    if (std::fabs(doubledNormal.Y) < smallestUpwardNormal() * doubledNormal.getLength())
        return;
    if (triangles.empty())
        boundingBox.reset(triangle.pointA);
    boundingBox.addInternalPoint(triangle.pointA);
    boundingBox.addInternalPoint(triangle.pointB);
    boundingBox.addInternalPoint(triangle.pointC);
    triangles.push_back(triangle);
}
}  // namespace irr::AI
