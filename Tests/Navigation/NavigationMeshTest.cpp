#include "NavigationWorldTest.h"
#include "Support/ConsoleCapture.h"
#include "TriangleMesh.h"

#include <gmock/gmock.h>

using irr::core::vector3df;
using ::testing::ElementsAre;
using ::testing::StartsWith;

namespace
{
class NavigationMeshTest : public NavigationWorldTest
{
};

TEST_F(NavigationMeshTest, APointOverTheFloorIsInsideFromJustBelowItToPlayerHeight)
{
    ASSERT_TRUE(loadFloor(floorWithHole()));
    EXPECT_TRUE(mesh().isPointInsideNavigationMesh({-6, 1, 5}));  // where a scattered unit stands
    EXPECT_TRUE(mesh().isPointInsideNavigationMesh({-6, 3, 5}));  // where a player walks
    EXPECT_TRUE(mesh().isPointInsideNavigationMesh({-6, -0.4f, 5}));
    EXPECT_TRUE(mesh().isPointInsideNavigationMesh({10, 1, -10}));  // a corner of the floor

    EXPECT_FALSE(mesh().isPointInsideNavigationMesh({-6, 4, 5}));
    EXPECT_FALSE(mesh().isPointInsideNavigationMesh({-6, -1, 5}));
    EXPECT_FALSE(mesh().isPointInsideNavigationMesh({-6, -100000, 5}));  // a unit taken out of play
}

TEST_F(NavigationMeshTest, HolesWallsAndEverythingBeyondTheEdgeAreOutside)
{
    const vector3df wallFoot(-10, 0, 10), wallTop(0, 3, 10), otherFoot(10, 0, 10);
    ASSERT_TRUE(loadFloor(joined({floorWithHole(), {{wallFoot, wallTop, otherFoot}}})));
    EXPECT_FALSE(mesh().isPointInsideNavigationMesh({0, 1, 0}));
    EXPECT_FALSE(mesh().isPointInsideNavigationMesh({1.9f, 1, -1.9f}));
    EXPECT_TRUE(mesh().isPointInsideNavigationMesh({2.1f, 1, -1.9f}));
    EXPECT_FALSE(mesh().isPointInsideNavigationMesh({10.1f, 1, 0}));
    EXPECT_FALSE(mesh().isPointInsideNavigationMesh({1e9f, 1, 1e9f}));
    EXPECT_EQ(mesh().getPolygonCount(), 16);  // the wall is no floor
}

TEST_F(NavigationMeshTest, WhereManyTrianglesMeetEveryPointIsInside)
{
    ASSERT_TRUE(loadFloor(fan(64, 10)));
    for (int step = 0; step < 90; ++step)
    {
        const float angle = 2.0f * irr::core::PI * (step + 0.5f) / 90;
        for (float radius : {0.0f, 0.05f, 0.5f, 3.0f})
        {
            const vector3df point(radius * std::cos(angle), 1, radius * std::sin(angle));
            EXPECT_TRUE(mesh().isPointInsideNavigationMesh(point)) << point.X << ", " << point.Z;
        }
    }
}

TEST_F(NavigationMeshTest, TheFloorIsWhereTheGameSeesItAfterIrrlichtNegatesX)
{
    // An L is not symmetric in x: only the right reading puts (18, 0, 18) on the floor.
    ASSERT_TRUE(loadFloor(lCorridor()));
    EXPECT_TRUE(mesh().isPointInsideNavigationMesh({18, 1, 18}));
    EXPECT_FALSE(mesh().isPointInsideNavigationMesh({-18, 1, 18}));
    EXPECT_FALSE(mesh().isPointInsideNavigationMesh({2, 1, 18}));
}

TEST_F(NavigationMeshTest, MissingFilesAndFilesWithoutAFloorAreOneErrorEach)
{
    const std::string missing = files.pathOf("nowhere.obj");
    const std::string unparsable = files.writeText("garbage.obj", "this is not\x01\x02 an OBJ file\n{}\n");
    const std::string empty = files.writeText("empty.obj", "");
    const std::string onlyWalls =
        files.writeObj("walls.obj", {{vector3df(0, 0, 0), vector3df(0, 3, 0), vector3df(5, 0, 0)}});
    const std::string onlyDegenerate =
        files.writeObj("degenerate.obj", {{vector3df(0, 0, 0), vector3df(1, 0, 1), vector3df(2, 0, 2)}});
    for (const std::string& path : {missing, unparsable, empty, onlyWalls, onlyDegenerate})
    {
        ConsoleCapture console;
        const bool loaded = loadFile(path);
        const std::vector<std::string> lines = console.reportLines();
        EXPECT_FALSE(loaded) << path;
        EXPECT_THAT(lines, ElementsAre(StartsWith("ERROR: Navigation mesh"))) << path;
        EXPECT_EQ(world.getNavigationMesh(), nullptr) << path;
    }
    ConsoleCapture console;
    EXPECT_FALSE(world.setNavigationMesh(nullptr, sceneManager(), nullptr));
    EXPECT_FALSE(world.setNavigationMesh(onlyWalls.c_str(), nullptr, nullptr));
    EXPECT_EQ(console.reportLines().size(), 2u);
}

TEST_F(NavigationMeshTest, DegenerateTrianglesAreLeftOutWithOneWarning)
{
    const Triangles degenerate{{vector3df(0, 0, 0), vector3df(1, 0, 1), vector3df(2, 0, 2)},
                               {vector3df(3, 0, 3), vector3df(3, 0, 3), vector3df(4, 0, 3)}};
    ConsoleCapture console;
    ASSERT_TRUE(loadFloor(joined({floorWithHole(), degenerate})));
    EXPECT_THAT(console.reportLines(), ElementsAre(StartsWith("WARNING: Navigation mesh")));
    EXPECT_TRUE(mesh().isPointInsideNavigationMesh({-6, 1, 5}));
    EXPECT_FALSE(mesh().isPointInsideNavigationMesh({0, 1, 0}));
}

TEST_F(NavigationMeshTest, AFloorTooLargeForOneDetourTileIsOneError)
{
    Triangles huge;
    for (int row = 0; row < 100; ++row)
    {
        for (int column = 0; column < 201; ++column)
        {
            const Triangles cell =
                floorRectangle(column * 0.5f, row * 0.5f, (column + 1) * 0.5f, (row + 1) * 0.5f);
            huge.insert(huge.end(), cell.begin(), cell.end());
        }
    }
    TriangleMesh mesh(huge);
    ConsoleCapture console;
    EXPECT_FALSE(world.setNavigationMesh(mesh.get(), "huge floor"));
    EXPECT_THAT(
        console.reportLines(),
        ElementsAre("ERROR: Navigation mesh huge floor could not be built: more than 32767 triangles"));
    EXPECT_EQ(world.getNavigationMesh(), nullptr);
}

TEST_F(NavigationMeshTest, AFailedLoadKeepsTheFloorAndInitForgetsIt)
{
    ASSERT_TRUE(loadFloor(floorWithHole()));
    EXPECT_EQ(world.driver, game.device()->getVideoDriver());
    ConsoleCapture console;
    EXPECT_FALSE(loadFile(files.pathOf("nowhere.obj")));
    ASSERT_NE(world.getNavigationMesh(), nullptr);
    EXPECT_TRUE(mesh().isPointInsideNavigationMesh({-6, 1, 5}));

    EXPECT_TRUE(world.init());
    EXPECT_EQ(world.getNavigationMesh(), nullptr);
}
}  // namespace
