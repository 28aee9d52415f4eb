#include "NavigationWorldTest.h"

#include "External/AIPoint.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

void NavigationWorldTest::SetUp()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmarch-nav-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory = pattern;
    ASSERT_TRUE(game.start(std::make_unique<BaseScene>()));
    ASSERT_TRUE(world.init());
}

void NavigationWorldTest::TearDown()
{
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}

std::string NavigationWorldTest::writeFile(const std::string& name, const std::string& text)
{
    const std::string path = (directory / name).string();
    std::ofstream(path) << text;
    return path;
}

bool NavigationWorldTest::loadFloor(const Triangles& floor)
{
    // Irrlicht's loader negates x, so the file holds x negated; each floor gets a name of its own, since
    // Irrlicht keeps the meshes it loaded by their names.
    std::ostringstream text;
    int vertex = 0;
    for (const irr::core::triangle3df& triangle : floor)
    {
        for (const irr::core::vector3df& corner : {triangle.pointA, triangle.pointB, triangle.pointC})
            text << "v " << -corner.X << ' ' << corner.Y << ' ' << corner.Z << '\n';
        text << "f " << vertex + 1 << ' ' << vertex + 2 << ' ' << vertex + 3 << '\n';
        vertex += 3;
    }
    return loadFile(writeFile("floor" + std::to_string(++floors) + ".obj", text.str()));
}

bool NavigationWorldTest::loadFile(const std::string& path)
{
    return world.setNavigationMesh(path.c_str(), sceneManager(), game.device()->getVideoDriver());
}

irr::AI::AINavigationMesh& NavigationWorldTest::mesh()
{
    if (!world.getNavigationMesh())
        throw std::runtime_error("the world has no navigation mesh");
    return *world.getNavigationMesh();
}

void NavigationWorldTest::expectLegsOnTheFloor(const irr::core::vector3df& start,
                                               const std::vector<Corners::Update>& updates)
{
    irr::core::vector3df from = start;
    for (const Corners::Update& update : updates)
    {
        const int samples = static_cast<int>(from.getDistanceFrom(update.point) / 0.1f) + 1;
        for (int sample = 0; sample <= samples; ++sample)
        {
            const irr::core::vector3df onLeg =
                from + (update.point - from) * (static_cast<float>(sample) / samples);
            ASSERT_TRUE(mesh().isPointInsideNavigationMesh({onLeg.X, 1.0f, onLeg.Z}))
                << "leg to (" << update.point.X << ", " << update.point.Z << ") leaves the floor at ("
                << onLeg.X << ", " << onLeg.Z << ")";
        }
        from = update.point;
    }
}
