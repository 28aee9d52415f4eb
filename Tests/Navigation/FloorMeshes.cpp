#include "FloorMeshes.h"

#include <cmath>

Triangles floorRectangle(float x0, float z0, float x1, float z1)
{
    const irr::core::vector3df a(x0, 0, z0), b(x1, 0, z0), c(x1, 0, z1), d(x0, 0, z1);
    return {{a, c, b}, {a, d, c}};
}

Triangles joined(std::initializer_list<Triangles> parts)
{
    Triangles all;
    for (const Triangles& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Triangles lCorridor()
{
    return joined({floorRectangle(0, 0, 16, 4), floorRectangle(16, 0, 20, 4), floorRectangle(16, 4, 20, 20)});
}

Triangles floorWithHole()
{
    // Eight cells of a 3 by 3 grid, the middle one left out, so every seam is a shared edge.
    const float lines[4] = {-10, -2, 2, 10};
    Triangles floor;
    for (int cell = 0; cell < 9; ++cell)
        if (cell != 4)
            floor = joined({floor, floorRectangle(lines[cell % 3], lines[cell / 3], lines[cell % 3 + 1],
                                                  lines[cell / 3 + 1])});
    return floor;
}

Triangles fan()
{
    const int triangles = 64;
    const auto rim = [](int corner)
    {
        const double angle = 2.0 * M_PI * corner / triangles;
        return irr::core::vector3df(static_cast<float>(10 * std::cos(angle)), 0,
                                    static_cast<float>(10 * std::sin(angle)));
    };
    Triangles floor;
    for (int corner = 0; corner < triangles; ++corner)
        floor.emplace_back(irr::core::vector3df(0, 0, 0), rim(corner), rim(corner + 1));
    return floor;
}

MeshPointer meshOf(const Triangles& triangles)
{
    auto* buffer = new irr::scene::CDynamicMeshBuffer(irr::video::EVT_STANDARD, irr::video::EIT_32BIT);
    for (const irr::core::triangle3df& triangle : triangles)
        for (const irr::core::vector3df& corner : {triangle.pointA, triangle.pointB, triangle.pointC})
        {
            buffer->getIndexBuffer().push_back(buffer->getVertexBuffer().size());
            buffer->getVertexBuffer().push_back(irr::video::S3DVertex(corner, {0, 1, 0}, 0xFFFFFFFF, {0, 0}));
        }
    buffer->recalculateBoundingBox();
    auto* mesh = new irr::scene::SMesh();
    mesh->addMeshBuffer(buffer);
    buffer->drop();
    mesh->recalculateBoundingBox();
    return MeshPointer(mesh, [](irr::scene::IMesh* held) { held->drop(); });
}
