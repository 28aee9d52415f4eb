#include "NavigationWorldTest.h"
#include "Support/ConsoleCapture.h"

#include <gmock/gmock.h>

using irr::core::vector3df;
using testing::ElementsAre;
using testing::StartsWith;

namespace
{
class NavigationMeshTest : public NavigationWorldTest
{
};

TEST_F(NavigationMeshTest, APointIsInsideOverTheFloorFromJustBelowItToPlayerHeightAndNowhereElse)
{
    const vector3df wallFoot(-10, 0, 10), wallTop(0, 3, 10), otherFoot(10, 0, 10);
    ASSERT_TRUE(loadFloor(joined({floorWithHole(), {{wallFoot, wallTop, otherFoot}}})));
    EXPECT_EQ(mesh().getPolygonCount(), 16);  // the wall is no floor
    const std::pair<vector3df, bool> probes[] = {
        {{-6, 1, 5}, true},      // where a scattered unit stands
        {{-6, 3, 5}, true},      // where a player walks
        {{-6, -0.4f, 5}, true},  // just below the floor
        {{10, 1, -10}, true},    // a corner of the floor
        {{2.1f, 1, -1.9f}, true},  {{-6, 4, 5}, false},
        {{-6, -1, 5}, false},      {{-6, -100000, 5}, false},  // a unit taken out of play
        {{0, 1, 0}, false},                                    // the hole
        {{1.9f, 1, -1.9f}, false}, {{10.1f, 1, 0}, false},     // past the edge
        {{1e9f, 1, 1e9f}, false}};
    for (const auto& [point, inside] : probes)
        EXPECT_EQ(mesh().isPointInsideNavigationMesh(point), inside)
            << point.X << ", " << point.Y << ", " << point.Z;
}

TEST_F(NavigationMeshTest, FilesWithoutAFloorAreOneErrorEachAndAFailedLoadKeepsTheFloorUntilInit)
{
    ASSERT_TRUE(loadFloor(floorWithHole()));
    const std::string walls = "v 0 0 0\nv 0 3 0\nv -5 0 0\nf 1 2 3\n";
    for (const std::string& path : {std::string("no-such-folder/nowhere.obj"),
                                    writeFile("garbage.obj", "this is not\x01\x02 an OBJ file\n{}\n"),
                                    writeFile("empty.obj", ""), writeFile("walls.obj", walls),
                                    writeFile("degenerate.obj", "v 0 0 0\nv -1 0 1\nv -2 0 2\nf 1 2 3\n")})
    {
        ConsoleCapture console;
        EXPECT_FALSE(loadFile(path)) << path;
        EXPECT_THAT(console.reportLines(), ElementsAre(StartsWith("ERROR: Navigation mesh"))) << path;
        EXPECT_TRUE(mesh().isPointInsideNavigationMesh({-6, 1, 5})) << path;
    }
    ConsoleCapture console;
    EXPECT_FALSE(world.setNavigationMesh(nullptr, game.device()->getSceneManager(), nullptr));
    EXPECT_FALSE(world.setNavigationMesh(writeFile("walls.obj", walls).c_str(), nullptr, nullptr));
    EXPECT_EQ(console.reportLines().size(), 2u);
    EXPECT_TRUE(world.init());
    EXPECT_EQ(world.getNavigationMesh(), nullptr);
}

TEST_F(NavigationMeshTest, DegenerateTrianglesAreLeftOutWithOneWarningAndAFloorTooLargeForATileIsOneError)
{
    const Triangles degenerate{{vector3df(0, 0, 0), vector3df(1, 0, 1), vector3df(2, 0, 2)},
                               {vector3df(3, 0, 3), vector3df(3, 0, 3), vector3df(4, 0, 3)}};
    ConsoleCapture console;
    ASSERT_TRUE(loadFloor(joined({floorWithHole(), degenerate})));
    EXPECT_THAT(console.reportLines(), ElementsAre(StartsWith("WARNING: Navigation mesh")));

    Triangles huge;
    for (int cell = 0; cell < 100 * 201; ++cell)
    {
        const float x = cell % 201 * 0.5f, z = cell / 201 * 0.5f;
        const Triangles square = floorRectangle(x, z, x + 0.5f, z + 0.5f);
        huge.insert(huge.end(), square.begin(), square.end());
    }
    ConsoleCapture tooLarge;
    EXPECT_FALSE(world.setNavigationMesh(meshOf(huge).get(), "huge floor"));
    EXPECT_THAT(
        tooLarge.reportLines(),
        ElementsAre("ERROR: Navigation mesh huge floor could not be built: more than 32767 triangles"));
    EXPECT_TRUE(mesh().isPointInsideNavigationMesh({-6, 1, 5}));
}
}  // namespace
