#pragma once

#include "ArenaLayout.h"
#include "MeshBuilder.h"

// The walkable floor as triangles at height 0, facing up. The floor is cut along every edge of
// the walkable bounds and of the blocked areas into a grid of rectangles; the rectangles outside
// every blocked area are kept. Neighbouring rectangles share whole edges, so the mesh has no
// cracks for a path search to fall through.
class NavigationMeshBuilder
{
public:
    static MeshBuilder build(const ArenaLayout& layout);
};
