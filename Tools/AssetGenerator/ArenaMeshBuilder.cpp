#include "ArenaMeshBuilder.h"

#include "ArenaAtlas.h"

#include <array>

using irr::core::aabbox3df;
using irr::core::vector3df;

namespace
{
constexpr float floorTile = 10.0f;
constexpr float emblemHalf = 10.0f;
constexpr float wallTile = 4.0f;
constexpr float pillarTrimHeight = 0.6f;
constexpr float pillarShaftInset = 0.4f;
constexpr float ruinTile = 3.0f;
// Heights of a ruin's four stretches as fractions of its full height: it has crumbled unevenly,
// but every stretch stays above the players' collision.
constexpr std::array<float, 4> ruinProfile = {1.0f, 0.75f, 0.9f, 0.68f};
}  // namespace

MeshBuilder ArenaMeshBuilder::build(const ArenaLayout& layout)
{
    MeshBuilder mesh;
    mesh.useMaterial(materialName);
    addFloor(mesh);
    addWalls(mesh);
    for (const Obstacle& obstacle : layout.obstacles())
    {
        switch (obstacle.kind)
        {
        case ObstacleKind::Pillar:
            addPillar(mesh, obstacle);
            break;
        case ObstacleKind::Ruin:
            addRuin(mesh, obstacle);
            break;
        case ObstacleKind::Crates:
            addCrates(mesh, obstacle);
            break;
        }
    }
    return mesh;
}

void ArenaMeshBuilder::addFloor(MeshBuilder& mesh)
{
    const float half = ArenaLayout::halfSize;
    const vector3df up(0.0f, 1.0f, 0.0f);
    for (float x = -half; x < half; x += floorTile)
        for (float z = -half; z < half; z += floorTile)
        {
            const bool underEmblem = x >= -emblemHalf && x < emblemHalf && z >= -emblemHalf && z < emblemHalf;
            if (!underEmblem)
                mesh.addTiledRect({x, 0.0f, z}, {floorTile, 0.0f, 0.0f}, {0.0f, 0.0f, floorTile}, floorTile,
                                  ArenaAtlas::region(ArenaSurface::Floor), up);
        }
    const float emblem = 2.0f * emblemHalf;
    mesh.addTiledRect({-emblemHalf, 0.0f, -emblemHalf}, {emblem, 0.0f, 0.0f}, {0.0f, 0.0f, emblem}, emblem,
                      ArenaAtlas::region(ArenaSurface::FloorEmblem), up);
}

void ArenaMeshBuilder::addWalls(MeshBuilder& mesh)
{
    const float half = ArenaLayout::halfSize;
    const float height = ArenaLayout::wallHeight;
    const float thickness = ArenaLayout::wallThickness;
    const UvRect bricks = ArenaAtlas::region(ArenaSurface::Wall);
    const UvRect top = ArenaAtlas::region(ArenaSurface::WallTop);
    // For each wall: a corner of its inner face's top edge, the edge itself, and the way inside.
    struct Wall
    {
        vector3df start;
        vector3df along;
        vector3df inward;
    };
    const std::array<Wall, 4> walls = {{{{-half, height, half}, {2 * half, 0, 0}, {0, 0, -1}},
                                        {{half, height, -half}, {-2 * half, 0, 0}, {0, 0, 1}},
                                        {{half, height, half}, {0, 0, -2 * half}, {-1, 0, 0}},
                                        {{-half, height, -half}, {0, 0, 2 * half}, {1, 0, 0}}}};
    for (const Wall& wall : walls)
    {
        mesh.addTiledRect(wall.start, wall.along, {0.0f, -height, 0.0f}, wallTile, bricks, wall.inward);
        // The walls run round the arena one after another; each top also covers the corner its wall
        // starts from, so every corner is covered once.
        const vector3df direction = vector3df(wall.along).normalize();
        const vector3df topStart = wall.start - direction * thickness - wall.inward * thickness;
        mesh.addTiledRect(topStart, direction * (2 * half + thickness), wall.inward * thickness, wallTile,
                          top, {0, 1, 0});
    }
}

void ArenaMeshBuilder::addPillar(MeshBuilder& mesh, const Obstacle& pillar)
{
    const Footprint base = pillar.footprint();
    const Footprint shaft = base.grownBy(-pillarShaftInset);
    const UvRect trim = ArenaAtlas::region(ArenaSurface::PillarTrim);
    const float capital = pillar.height - pillarTrimHeight;
    mesh.addBox(aabbox3df(base.minX, 0.0f, base.minZ, base.maxX, pillarTrimHeight, base.maxZ), trim, trim,
                base.maxX - base.minX);
    mesh.addBox(aabbox3df(shaft.minX, pillarTrimHeight, shaft.minZ, shaft.maxX, capital, shaft.maxZ),
                ArenaAtlas::region(ArenaSurface::Pillar), trim, shaft.maxX - shaft.minX);
    mesh.addBox(aabbox3df(base.minX, capital, base.minZ, base.maxX, pillar.height, base.maxZ), trim, trim,
                base.maxX - base.minX);
}

void ArenaMeshBuilder::addRuin(MeshBuilder& mesh, const Obstacle& ruin)
{
    const Footprint whole = ruin.footprint();
    const bool alongX = ruin.halfX > ruin.halfZ;
    const float length = alongX ? whole.maxX - whole.minX : whole.maxZ - whole.minZ;
    const float stretch = length / static_cast<float>(ruinProfile.size());
    const UvRect rubble = ArenaAtlas::region(ArenaSurface::Ruin);
    for (std::size_t k = 0; k < ruinProfile.size(); ++k)
    {
        const float from = stretch * static_cast<float>(k);
        const float to = from + stretch;
        const float height = ruin.height * ruinProfile[k];
        const aabbox3df box =
            alongX ? aabbox3df(whole.minX + from, 0.0f, whole.minZ, whole.minX + to, height, whole.maxZ)
                   : aabbox3df(whole.minX, 0.0f, whole.minZ + from, whole.maxX, height, whole.minZ + to);
        mesh.addBox(box, rubble, rubble, ruinTile);
    }
}

void ArenaMeshBuilder::addCrates(MeshBuilder& mesh, const Obstacle& crates)
{
    // Two crates side by side along x and a third on top of them, in the middle.
    const float size = crates.halfX;
    const UvRect wood = ArenaAtlas::region(ArenaSurface::Wood);
    const float z0 = crates.centreZ - size / 2;
    for (float x0 : {crates.centreX - size, crates.centreX})
        mesh.addBox(aabbox3df(x0, 0.0f, z0, x0 + size, size, z0 + size), wood, wood, size);
    const float x0 = crates.centreX - size / 2;
    mesh.addBox(aabbox3df(x0, size, z0, x0 + size, 2 * size, z0 + size), wood, wood, size);
}
