#pragma once

#include "External/AIInfluenceMapInit.h"
#include "External/OnceWarning.h"

#include <irrlicht.h>
#include <limits>
#include <vector>

namespace irr::AI
{
// A grid of values over the arena floor, read by the telemetry observer tile by tile (index order of
// AIInfluenceMapInit). Two uses:
//
// Distance map (fillWithDistances): each floor tile holds the walking distance from its centre to the
// nearest tile off the floor (a wall, an obstacle, the end of the arena), divided by the largest such
// distance, so the most open spot reads 1 and tiles off the floor read 0.
//
// Influence map (setInfluence, then propagate now and then): "where the players have been lately".
// A stamp marks a player's tile; every propagation lets all influence fade and spread one tile
// further, losing more the further it travels. So a tile reads 1 where a player stands now, and
// decay^(k + d) where a player stood k propagations ago d tiles away; bright trails fade behind the
// players and soft halos surround them. The three settings of setInfluenceSettings:
//   decay     (0 to 1) the share of influence left after one propagation, and again for each tile it
//             travels (a diagonal step counts as 1.41 tiles). 0.9: a trail loses a tenth per propagation.
//   momentum  (0 to 1) the share of its own influence a tile holds on to from one propagation to the
//             next, before the decay. 1: a trail stays where it was laid until it fades. 0: a tile
//             keeps only what its neighbours pass on, so a stamp leaves its tile as a widening wave.
//   flag      true: influence flows only onto tiles of the floor, never across an obstacle or out past
//             the walls. A stamp on a tile off the floor still fades there and flows out onto the floor.
//             false: influence flows over every tile of the grid alike.
// As one rule: new(tile) = decay * max(momentum * old(tile), decay^step * old(neighbour)) over the
// tile's eight neighbours, and 0 once that falls below smallestInfluence. Until setInfluenceSettings is
// called the map uses 0.9, 1 and true.
class AIInfluenceMap
{
public:
    // The grid over the extent of the mesh's walkable triangles. Null mesh, a mesh without walkable
    // triangles or a tile count below 1 give an empty record and one warning.
    static AIInfluenceMapInit createMapFromMesh(scene::IMesh* mesh, int widthInTiles, int heightInTiles);

    explicit AIInfluenceMap(const AIInfluenceMapInit& init);

    void fillWithDistances();
    // Values outside 0 to 1 are brought to the nearest end of that range, with a warning.
    void setInfluenceSettings(float decay, float momentum, bool flag);
    void propagate();
    // Stamps the tile under `position` (its x and z): with `accumulate` false the tile takes `value`,
    // with true `value` is added to it. A position outside the map changes nothing.
    void setInfluence(float value, core::vector3df* position, bool accumulate);

    int getDataSize() const;
    // 0 for an index outside the map.
    float getInfluenceAtIndex(int index) const;
    // 0 for a map made from an empty record.
    float getWidthInTiles() const;
    float getHeightInTiles() const;
    // The tile under the position's x and z, or -1 outside the map.
    int getTileIndexAt(const core::vector3df& position) const;

    static constexpr int largestTilesPerSide = 1024;
    static constexpr float defaultDecay = 0.9f;
    static constexpr float defaultMomentum = 1.0f;
    static constexpr bool defaultConfinedToFloor = true;
    // Fading influence reads zero below this: smaller values would be subnormal floats, many times slower to
    // compute with, and too small to matter to anyone reading the map.
    static constexpr float smallestInfluence = std::numeric_limits<float>::min();

private:
    struct Step
    {
        int columns;
        int rows;
        bool diagonal;
    };
    static const Step steps[8];
    struct Arrival
    {
        int fromTile;
        float share;  // decay^step
    };

    bool isOnGrid(int column, int row) const;
    // False off the grid too.
    bool isOnFloor(int column, int row) const;
    // A diagonal step from (column, row) that grazes a tile off the floor: walkers and confined
    // influence go around such a corner, not through it.
    bool cutsCorner(int column, int row, const Step& step) const;
    // Where influence may flow into each tile from, worked out once per setting rather than per propagation.
    void linkArrivals();
    // In world units, for walking distances.
    float stepLength(const Step& step) const;

    AIInfluenceMapInit grid;
    std::vector<float> values;
    std::vector<float> nextValues;
    float decay = defaultDecay;
    float momentum = defaultMomentum;
    bool confinedToFloor = defaultConfinedToFloor;
    std::vector<Arrival> arrivals;
    std::vector<int> firstArrival;  // tile t's arrivals are [firstArrival[t], firstArrival[t + 1])
    OnceWarning stampOutside;
    mutable OnceWarning readOutside;  // reading is const, and so is saying once that a read missed
};
}  // namespace irr::AI
