#pragma once

#include <irrlicht.h>
#include <vector>

namespace irr::AI
{
// The grid an influence map lies on: tiles over the walkable floor's extent in x and z, row by row.
// Tile (column, row) has the index row * widthInTiles + column; columns run along x, rows along z,
// both from the smallest coordinate. An empty record (no tiles) makes maps of size 0.
struct AIInfluenceMapInit
{
    core::rectf extent;  // x and z of the floor: UpperLeftCorner the smallest, LowerRightCorner the largest
    int widthInTiles = 0;
    int heightInTiles = 0;
    // A tile is walkable when its centre lies over a walkable triangle. One entry per tile.
    std::vector<bool> walkableTiles;

    int getTileCount() const { return static_cast<int>(walkableTiles.size()); }
    bool isEmpty() const { return walkableTiles.empty(); }
    // Tiles that agree with the counts, over an extent of some size: what createMapFromMesh makes.
    bool isConsistent() const;
    // The tile under (x, z), or -1 outside the extent. Points on the far edges belong to the last tiles.
    int tileIndexAt(float x, float z) const;
    int tileIndex(int column, int row) const { return row * widthInTiles + column; }
    core::vector2df tileSize() const;
    core::vector2df tileCentre(int column, int row) const;
    // Marks the tiles whose centres the triangle covers, seen from above.
    void markWalkableTilesUnder(const core::triangle3df& triangle);
};
}  // namespace irr::AI
