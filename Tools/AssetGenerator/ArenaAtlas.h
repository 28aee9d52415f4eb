#pragma once

#include "Canvas.h"
#include "UvRect.h"

// The surfaces of the arena, each a square region of the one texture atlas.
enum class ArenaSurface
{
    Floor,
    FloorEmblem,
    Wall,
    WallTop,
    Pillar,
    PillarTrim,
    Ruin,
    Wood
};

// The arena's texture atlas: eight seamless 256-pixel regions in a 4 by 2 grid. Each region is
// painted 8 pixels past the part that faces map, with the pattern wrapping, so that filtering and
// mipmaps at a region's edge blend with its own texels, not a neighbour's.
class ArenaAtlas
{
public:
    static constexpr int regionSize = 256;
    static constexpr int padding = 8;
    static constexpr int columns = 4;
    static constexpr int rows = 2;

    static UvRect region(ArenaSurface surface);
    static Canvas paint();
};
