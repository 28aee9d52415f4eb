#pragma once

#include "MeshBuilder.h"

#include <irrlicht.h>
#include <vector>

// Rings and tubes that the creature and camp models are lofted from.
class ModelShapes
{
public:
    // An elliptic ring of `sides` points around `axis` through `centre`. Its first point lies
    // straight "up" from the centre (toward +y, or toward +x for a vertical axis), so a lofted
    // texture's middle column runs along the underside.
    static std::vector<irr::core::vector3df> ring(const irr::core::vector3df& centre,
                                                  const irr::core::vector3df& axis, float halfWidth,
                                                  float halfHeight, int sides);
    // Rings along a path of points, the i-th with half width and height `sizes[i]` (X and Y),
    // each turned to the path's direction there.
    static std::vector<std::vector<irr::core::vector3df>> tube(const std::vector<irr::core::vector3df>& path,
                                                               const std::vector<irr::core::vector2df>& sizes,
                                                               int sides);
    // A capped tube along `path`, the texture region wrapped around it once.
    static void addTube(MeshBuilder& mesh, const std::vector<irr::core::vector3df>& path,
                        const std::vector<irr::core::vector2df>& sizes, int sides, const UvRect& region);
};
