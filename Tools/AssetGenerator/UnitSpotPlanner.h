#pragma once

#include "ArenaLayout.h"
#include "MeshBuilder.h"

#include <irrlicht.h>
#include <vector>

// Where the free units stand: a loose grid over the walkable floor, nudged by a fixed seed so it
// does not look ruled, keeping clear of the obstacles and of the players' start spots.
class UnitSpotPlanner
{
public:
    // The height the game stands units at; a returning unit takes the spot's height as it is.
    static constexpr float unitHeight = 1.0f;

    explicit UnitSpotPlanner(const ArenaLayout& layout);

    // The spots, as (x, z).
    const std::vector<irr::core::vector2df>& spots() const { return spotList; }
    // The mesh the game reads them from: its first two vertices are not used for placing units,
    // so two valid but unused points come first, then one vertex per spot, in this order.
    MeshBuilder buildMesh() const;

private:
    bool isGoodSpot(const irr::core::vector2df& spot) const;

    const ArenaLayout& layout;
    std::vector<irr::core::vector2df> spotList;
};
