#include "External/AIInfluenceMapInit.h"

#include <algorithm>
#include <cmath>

namespace irr::AI
{
namespace
{
float crossInXZ(const core::vector3df& from, const core::vector3df& to, float x, float z)
{
    return (to.X - from.X) * (z - from.Z) - (to.Z - from.Z) * (x - from.X);
}

// Inclusive of the edges, so a centre on the seam of two triangles belongs to the floor.
bool coversInXZ(const core::triangle3df& triangle, float x, float z)
{
    const float ab = crossInXZ(triangle.pointA, triangle.pointB, x, z);
    const float bc = crossInXZ(triangle.pointB, triangle.pointC, x, z);
    const float ca = crossInXZ(triangle.pointC, triangle.pointA, x, z);
    return (ab >= 0.0f && bc >= 0.0f && ca >= 0.0f) || (ab <= 0.0f && bc <= 0.0f && ca <= 0.0f);
}
}  // namespace

bool AIInfluenceMapInit::isConsistent() const
{
    return widthInTiles > 0 && heightInTiles > 0 &&
           walkableTiles.size() ==
               static_cast<std::size_t>(widthInTiles) * static_cast<std::size_t>(heightInTiles) &&
           extent.getWidth() > 0.0f && extent.getHeight() > 0.0f;
}

core::vector2df AIInfluenceMapInit::tileSize() const
{
    if (isEmpty())
        return {0.0f, 0.0f};
    return {extent.getWidth() / static_cast<float>(widthInTiles),
            extent.getHeight() / static_cast<float>(heightInTiles)};
}

core::vector2df AIInfluenceMapInit::tileCentre(int column, int row) const
{
    const core::vector2df size = tileSize();
    return {extent.UpperLeftCorner.X + (static_cast<float>(column) + 0.5f) * size.X,
            extent.UpperLeftCorner.Y + (static_cast<float>(row) + 0.5f) * size.Y};
}

int AIInfluenceMapInit::tileIndexAt(float x, float z) const
{
    // Written so that a coordinate that is not a number falls outside too.
    if (isEmpty() || !(x >= extent.UpperLeftCorner.X && x <= extent.LowerRightCorner.X) ||
        !(z >= extent.UpperLeftCorner.Y && z <= extent.LowerRightCorner.Y))
        return -1;
    const core::vector2df size = tileSize();
    const int column = std::min(widthInTiles - 1, static_cast<int>((x - extent.UpperLeftCorner.X) / size.X));
    const int row = std::min(heightInTiles - 1, static_cast<int>((z - extent.UpperLeftCorner.Y) / size.Y));
    return tileIndex(column, row);
}

void AIInfluenceMapInit::markWalkableTilesUnder(const core::triangle3df& triangle)
{
    if (isEmpty())
        return;
    const core::vector2df size = tileSize();
    const auto firstAndLast = [](float low, float high, float start, float tile, int count)
    {
        const int first = std::max(0, static_cast<int>(std::floor((low - start) / tile)));
        const int last = std::min(count - 1, static_cast<int>(std::floor((high - start) / tile)));
        return std::make_pair(first, last);
    };
    const auto [firstColumn, lastColumn] =
        firstAndLast(std::min({triangle.pointA.X, triangle.pointB.X, triangle.pointC.X}),
                     std::max({triangle.pointA.X, triangle.pointB.X, triangle.pointC.X}),
                     extent.UpperLeftCorner.X, size.X, widthInTiles);
    const auto [firstRow, lastRow] =
        firstAndLast(std::min({triangle.pointA.Z, triangle.pointB.Z, triangle.pointC.Z}),
                     std::max({triangle.pointA.Z, triangle.pointB.Z, triangle.pointC.Z}),
                     extent.UpperLeftCorner.Y, size.Y, heightInTiles);
    for (int row = firstRow; row <= lastRow; ++row)
    {
        for (int column = firstColumn; column <= lastColumn; ++column)
        {
            const core::vector2df centre = tileCentre(column, row);
            if (coversInXZ(triangle, centre.X, centre.Y))
                walkableTiles[static_cast<std::size_t>(tileIndex(column, row))] = true;
        }
    }
}
}  // namespace irr::AI
