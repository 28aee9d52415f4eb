#include "FloorMeshes.h"

#include <cmath>

Triangles floorRectangle(float x0, float z0, float x1, float z1, float height)
{
    const irr::core::vector3df a(x0, height, z0);
    const irr::core::vector3df b(x1, height, z0);
    const irr::core::vector3df c(x1, height, z1);
    const irr::core::vector3df d(x0, height, z1);
    return {{a, c, b}, {a, d, c}};
}

Triangles joined(std::initializer_list<Triangles> parts)
{
    Triangles all;
    for (const Triangles& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Triangles reversedWinding(const Triangles& triangles)
{
    Triangles reversed;
    for (const irr::core::triangle3df& triangle : triangles)
        reversed.emplace_back(triangle.pointA, triangle.pointC, triangle.pointB);
    return reversed;
}

Triangles lCorridor()
{
    return joined({floorRectangle(0, 0, 16, 4), floorRectangle(16, 0, 20, 4), floorRectangle(16, 4, 20, 20)});
}

Triangles floorWithHole()
{
    // Nine cells of a 3 by 3 grid with the middle one left out, so every seam is a shared edge.
    const float lines[4] = {-10, -2, 2, 10};
    Triangles floor;
    for (int row = 0; row < 3; ++row)
    {
        for (int column = 0; column < 3; ++column)
        {
            if (row == 1 && column == 1)
                continue;
            const Triangles cell =
                floorRectangle(lines[column], lines[row], lines[column + 1], lines[row + 1]);
            floor.insert(floor.end(), cell.begin(), cell.end());
        }
    }
    return floor;
}

Triangles fan(int triangleCount, float radius)
{
    const auto rim = [&](int corner)
    {
        const double angle = 2.0 * M_PI * corner / triangleCount;
        return irr::core::vector3df(static_cast<float>(radius * std::cos(angle)), 0.0f,
                                    static_cast<float>(radius * std::sin(angle)));
    };
    Triangles floor;
    for (int corner = 0; corner < triangleCount; ++corner)
        floor.emplace_back(irr::core::vector3df(0, 0, 0), rim(corner), rim(corner + 1));
    return floor;
}
