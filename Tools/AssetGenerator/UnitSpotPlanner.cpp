#include "UnitSpotPlanner.h"

#include "Random.h"

#include <algorithm>
#include <array>

using irr::core::vector2df;

namespace
{
constexpr int gridSteps = 8;
constexpr float gridSpacing = 11.0f;
constexpr float jitter = 2.5f;
// A unit's cube is about one unit wide; keep it off the margin's edge.
constexpr float unitClearance = 1.0f;
// A unit closer than this to a start spot would be collected in the first frame.
constexpr float startClearance = 5.0f;
// Units this close together would be collected as one.
constexpr float spotSpacing = 4.0f;
constexpr std::uint64_t spotSeed = 20240611;
const std::array<vector2df, 2> unusedPoints = {vector2df(-6.0f, 6.0f), vector2df(6.0f, -6.0f)};
}  // namespace

UnitSpotPlanner::UnitSpotPlanner(const ArenaLayout& arenaLayout) : layout(arenaLayout)
{
    Random random(spotSeed);
    const float first = -gridSpacing * (gridSteps - 1) / 2;
    for (int row = 0; row < gridSteps; ++row)
        for (int column = 0; column < gridSteps; ++column)
        {
            const vector2df grid(first + column * gridSpacing, first + row * gridSpacing);
            const vector2df nudged = grid + vector2df(static_cast<float>(random.between(-jitter, jitter)),
                                                      static_cast<float>(random.between(-jitter, jitter)));
            if (isGoodSpot(nudged))
                spotList.push_back(nudged);
            else if (isGoodSpot(grid))
                spotList.push_back(grid);
        }
}

bool UnitSpotPlanner::isGoodSpot(const vector2df& spot) const
{
    for (float dx : {-unitClearance, 0.0f, unitClearance})
        for (float dz : {-unitClearance, 0.0f, unitClearance})
            if (!layout.isWalkable(spot.X + dx, spot.Y + dz))
                return false;
    const auto& starts = ArenaLayout::startSpots();
    const bool nearStart =
        std::any_of(starts.begin(), starts.end(),
                    [&](const vector2df& start) { return start.getDistanceFrom(spot) < startClearance; });
    const bool onUnused =
        std::any_of(unusedPoints.begin(), unusedPoints.end(),
                    [&](const vector2df& unused) { return unused.getDistanceFrom(spot) < spotSpacing; });
    return !nearStart && !onUnused;
}

MeshBuilder UnitSpotPlanner::buildMesh() const
{
    std::vector<vector2df> points(unusedPoints.begin(), unusedPoints.end());
    points.insert(points.end(), spotList.begin(), spotList.end());
    // The last triangle is filled up with the first points again; the loader merges them.
    while (points.size() % 3 != 0)
        points.push_back(points[points.size() % 3 == 1 ? 0 : 1]);

    MeshBuilder mesh;
    mesh.useMaterial("spots");
    const irr::core::vector3df up(0.0f, 1.0f, 0.0f);
    auto corner = [&](std::size_t index) {
        return MeshCorner{{points[index].X, unitHeight, points[index].Y}, {0.0f, 0.0f}};
    };
    // One shared normal keeps a point that appears twice one vertex. The writer lists a face's
    // corners last to first, so each triangle is given backward to keep the points in order.
    for (std::size_t i = 0; i < points.size(); i += 3)
        mesh.addTriangle(corner(i + 2), corner(i + 1), corner(i), up);
    return mesh;
}
