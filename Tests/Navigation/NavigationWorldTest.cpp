#include "NavigationWorldTest.h"

#include "External/AIPoint.h"

#include <fstream>
#include <stdexcept>

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

void NavigationWorldTest::Corners::onUnitUpdate(irr::AI::AIPoint* point, bool reachedEnd)
{
    updates.push_back({point->getPosition(), reachedEnd});
}

void NavigationWorldTest::SetUp()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmarch-nav-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory = pattern;
    ASSERT_TRUE(game.start(std::make_unique<BaseScene>()));
    ASSERT_TRUE(world.init());
}

std::string NavigationWorldTest::writeFile(const std::string& name, const std::string& text)
{
    const std::string path = (directory / name).string();
    std::ofstream(path) << text;
    return path;
}

irr::AI::AINavigationMesh& NavigationWorldTest::mesh()
{
    if (!world.getNavigationMesh())
        throw std::runtime_error("the world has no navigation mesh");
    return *world.getNavigationMesh();
}
