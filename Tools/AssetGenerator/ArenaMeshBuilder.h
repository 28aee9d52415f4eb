#pragma once

#include "ArenaLayout.h"
#include "MeshBuilder.h"

// The arena's visible and solid geometry, all in one material textured from the atlas: the floor
// at height 0, the inner faces and tops of the four walls, and the obstacles as closed blocks.
// The walls have no outer faces, so the camera, which may swing behind a wall, looks through it.
class ArenaMeshBuilder
{
public:
    static constexpr const char* materialName = "dungeon";

    static MeshBuilder build(const ArenaLayout& layout);

private:
    static void addFloor(MeshBuilder& mesh);
    static void addWalls(MeshBuilder& mesh);
    static void addPillar(MeshBuilder& mesh, const Obstacle& pillar);
    static void addRuin(MeshBuilder& mesh, const Obstacle& ruin);
    static void addCrates(MeshBuilder& mesh, const Obstacle& crates);
};
