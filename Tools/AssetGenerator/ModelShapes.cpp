#include "ModelShapes.h"

#include <cmath>

using irr::core::vector3df;

std::vector<vector3df> ModelShapes::ring(const vector3df& centre, const vector3df& axis, float halfWidth,
                                         float halfHeight, int sides)
{
    const vector3df direction = vector3df(axis).normalize();
    const bool upright = std::fabs(direction.Y) > 0.9f;
    const vector3df reference = upright ? vector3df(1.0f, 0.0f, 0.0f) : vector3df(0.0f, 1.0f, 0.0f);
    const vector3df side = reference.crossProduct(direction).normalize();
    const vector3df up = direction.crossProduct(side).normalize();
    std::vector<vector3df> points;
    for (int k = 0; k < sides; ++k)
    {
        const double angle = 2.0 * 3.14159265358979323846 * k / sides;
        points.push_back(centre + up * static_cast<float>(std::cos(angle) * halfHeight) +
                         side * static_cast<float>(std::sin(angle) * halfWidth));
    }
    return points;
}

std::vector<std::vector<vector3df>> ModelShapes::tube(const std::vector<vector3df>& path,
                                                      const std::vector<irr::core::vector2df>& sizes,
                                                      int sides)
{
    std::vector<std::vector<vector3df>> rings;
    for (std::size_t i = 0; i < path.size(); ++i)
    {
        const vector3df& before = path[i == 0 ? 0 : i - 1];
        const vector3df& after = path[i + 1 < path.size() ? i + 1 : i];
        rings.push_back(ring(path[i], after - before, sizes[i].X, sizes[i].Y, sides));
    }
    return rings;
}

void ModelShapes::addTube(MeshBuilder& mesh, const std::vector<vector3df>& path,
                          const std::vector<irr::core::vector2df>& sizes, int sides, const UvRect& region)
{
    mesh.addLoft(tube(path, sizes, sides), region, true, true);
}
