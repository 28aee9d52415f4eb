#pragma once

#include <irrlicht.h>
#include <vector>

// An axis-aligned rectangle of the floor plan (x and z in world units).
struct Footprint
{
    float minX = 0.0f;
    float minZ = 0.0f;
    float maxX = 0.0f;
    float maxZ = 0.0f;

    bool contains(float x, float z) const { return x > minX && x < maxX && z > minZ && z < maxZ; }
    Footprint grownBy(float margin) const
    {
        return {minX - margin, minZ - margin, maxX + margin, maxZ + margin};
    }
};

enum class ObstacleKind
{
    Pillar,
    Ruin,
    Crates
};

struct Obstacle
{
    ObstacleKind kind;
    float centreX;
    float centreZ;
    float halfX;
    float halfZ;
    float height;

    Footprint footprint() const
    {
        return {centreX - halfX, centreZ - halfZ, centreX + halfX, centreZ + halfZ};
    }
};

// The floor plan of the one arena: its walls, its obstacles and where the players start. The arena
// mesh, the navigation mesh and the unit spots are all built from it, so they agree.
class ArenaLayout
{
public:
    // The inner faces of the walls stand at +-halfSize on x and z; the floor is at height 0.
    static constexpr float halfSize = 50.0f;
    static constexpr float wallThickness = 2.0f;
    static constexpr float wallHeight = 8.0f;
    // How far the walkable floor keeps from walls and obstacles: the human player's collision
    // radius is 1, with room to spare for the navigation's agents.
    static constexpr float walkableMargin = 1.5f;

    ArenaLayout();

    const std::vector<Obstacle>& obstacles() const { return obstacleList; }
    // Where the human player (0, 0) and up to four computer players start, as (x, z).
    static const std::vector<irr::core::vector2df>& startSpots();

    // The floor inside the walls, less the margin.
    Footprint walkableBounds() const;
    // The obstacles' footprints grown by the margin.
    std::vector<Footprint> blockedAreas() const;
    // On the walkable floor: inside the bounds and in no blocked area.
    bool isWalkable(float x, float z) const;

private:
    std::vector<Obstacle> obstacleList;
};
