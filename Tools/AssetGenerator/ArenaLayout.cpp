#include "ArenaLayout.h"

#include <algorithm>

namespace
{
constexpr float pillarHalf = 2.4f;
constexpr float pillarHeight = 10.0f;
constexpr float ruinHalfLength = 8.0f;
constexpr float ruinHalfThickness = 0.8f;
constexpr float ruinHeight = 3.6f;
constexpr float crateSize = 2.5f;
}  // namespace

ArenaLayout::ArenaLayout()
{
    // Four pillars between the centre and the corners where the computer players start, four low
    // ruined walls before the middle of each wall, and two stacks of crates in the far corners;
    // every start spot keeps more than ten units of open ground around it.
    for (float x : {-20.0f, 20.0f})
        for (float z : {-20.0f, 20.0f})
            obstacleList.push_back({ObstacleKind::Pillar, x, z, pillarHalf, pillarHalf, pillarHeight});
    obstacleList.push_back({ObstacleKind::Ruin, 0.0f, 42.0f, ruinHalfLength, ruinHalfThickness, ruinHeight});
    obstacleList.push_back({ObstacleKind::Ruin, 0.0f, -42.0f, ruinHalfLength, ruinHalfThickness, ruinHeight});
    obstacleList.push_back({ObstacleKind::Ruin, 42.0f, 0.0f, ruinHalfThickness, ruinHalfLength, ruinHeight});
    obstacleList.push_back({ObstacleKind::Ruin, -42.0f, 0.0f, ruinHalfThickness, ruinHalfLength, ruinHeight});
    obstacleList.push_back({ObstacleKind::Crates, 40.0f, -40.0f, crateSize, crateSize / 2, crateSize * 2});
    obstacleList.push_back({ObstacleKind::Crates, -40.0f, 40.0f, crateSize, crateSize / 2, crateSize * 2});
}

const std::vector<irr::core::vector2df>& ArenaLayout::startSpots()
{
    static const std::vector<irr::core::vector2df> spots = {
        {0, 0}, {-30, -30}, {-30, 30}, {30, -30}, {30, 30}};
    return spots;
}

Footprint ArenaLayout::walkableBounds() const
{
    const float inner = halfSize - walkableMargin;
    return {-inner, -inner, inner, inner};
}

std::vector<Footprint> ArenaLayout::blockedAreas() const
{
    std::vector<Footprint> areas;
    for (const Obstacle& obstacle : obstacleList)
        areas.push_back(obstacle.footprint().grownBy(walkableMargin));
    return areas;
}

bool ArenaLayout::isWalkable(float x, float z) const
{
    const Footprint bounds = walkableBounds();
    if (x < bounds.minX || x > bounds.maxX || z < bounds.minZ || z > bounds.maxZ)
        return false;
    const std::vector<Footprint> blocked = blockedAreas();
    return std::none_of(blocked.begin(), blocked.end(),
                        [&](const Footprint& area) { return area.contains(x, z); });
}
