#include "NavigationMeshBuilder.h"

#include <algorithm>
#include <vector>

namespace
{
// The sorted distinct cut positions along one axis, within [low, high].
std::vector<float> cuts(std::vector<float> positions, float low, float high)
{
    positions.push_back(low);
    positions.push_back(high);
    positions.erase(std::remove_if(positions.begin(), positions.end(),
                                   [&](float position) { return position < low || position > high; }),
                    positions.end());
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}
}  // namespace

MeshBuilder NavigationMeshBuilder::build(const ArenaLayout& layout)
{
    const Footprint bounds = layout.walkableBounds();
    std::vector<float> xs;
    std::vector<float> zs;
    for (const Footprint& area : layout.blockedAreas())
    {
        xs.insert(xs.end(), {area.minX, area.maxX});
        zs.insert(zs.end(), {area.minZ, area.maxZ});
    }
    xs = cuts(xs, bounds.minX, bounds.maxX);
    zs = cuts(zs, bounds.minZ, bounds.maxZ);

    MeshBuilder mesh;
    mesh.useMaterial("walkable");
    const irr::core::vector3df up(0.0f, 1.0f, 0.0f);
    for (std::size_t i = 0; i + 1 < xs.size(); ++i)
        for (std::size_t j = 0; j + 1 < zs.size(); ++j)
        {
            if (!layout.isWalkable((xs[i] + xs[i + 1]) * 0.5f, (zs[j] + zs[j + 1]) * 0.5f))
                continue;
            mesh.addQuad({{xs[i], 0.0f, zs[j]}, {0.0f, 0.0f}}, {{xs[i + 1], 0.0f, zs[j]}, {1.0f, 0.0f}},
                         {{xs[i + 1], 0.0f, zs[j + 1]}, {1.0f, 1.0f}},
                         {{xs[i], 0.0f, zs[j + 1]}, {0.0f, 1.0f}}, up);
        }
    return mesh;
}
