#include "External/AIInfluenceMap.h"
#include "External/AIPoint.h"
#include "External/AIUnit.h"
#include "External/AIWorld.h"
#include "External/IAIUnitUpdateReceiver.h"
#include "Scenes/GameScene.h"
#include "Support/ConsoleCapture.h"
#include "Support/HeadlessGame.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <stdexcept>
#include <unistd.h>

using irr::AI::AIInfluenceMap;
using irr::AI::AIPoint;
using irr::AI::AIUnit;
using irr::core::vector3df;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::StartsWith;

namespace
{
// Small floors in game coordinates (y up), built from rectangles that meet edge to edge.
using Triangles = std::vector<irr::core::triangle3df>;

// Two triangles covering x0..x1 by z0..z1 at height 0.
Triangles floorRectangle(float x0, float z0, float x1, float z1)
{
    const vector3df a(x0, 0, z0), b(x1, 0, z0), c(x1, 0, z1), d(x0, 0, z1);
    return {{a, c, b}, {a, d, c}};
}

Triangles joined(std::initializer_list<Triangles> parts)
{
    Triangles all;
    for (const Triangles& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A 20 by 20 floor (x and z -10..10) with a 4 by 4 hole in the middle (an obstacle): eight cells of a 3 by 3
// grid, so every seam is a shared edge.
Triangles floorWithHole()
{
    const float lines[4] = {-10, -2, 2, 10};
    Triangles floor;
    for (int cell = 0; cell < 9; ++cell)
        if (cell != 4)
            floor = joined({floor, floorRectangle(lines[cell % 3], lines[cell / 3], lines[cell % 3 + 1],
                                                  lines[cell / 3 + 1])});
    return floor;
}

// The triangles as an Irrlicht mesh, dropped with the pointer.
using MeshPointer = std::unique_ptr<irr::scene::IMesh, void (*)(irr::scene::IMesh*)>;
MeshPointer meshOf(const Triangles& triangles)
{
    auto* buffer = new irr::scene::CDynamicMeshBuffer(irr::video::EVT_STANDARD, irr::video::EIT_32BIT);
    for (const irr::core::triangle3df& triangle : triangles)
        for (const vector3df& corner : {triangle.pointA, triangle.pointB, triangle.pointC})
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

// A world on the headless engine's scene manager.
class NavigationTest : public testing::Test
{
protected:
    // Keeps every corner a navigating unit hands over, in order.
    struct Corners : irr::AI::IAIUnitUpdateReceiver
    {
        struct Update
        {
            irr::core::vector3df point;
            bool reachedEnd;
        };
        void onUnitUpdate(irr::AI::AIPoint* point, bool reachedEnd) override
        {
            updates.push_back({point->getPosition(), reachedEnd});
        }
        std::vector<Update> updates;
    };

    void SetUp() override
    {
        ASSERT_TRUE(game.start(std::make_unique<BaseScene>()));
        ASSERT_TRUE(world.init());
    }

    bool loadFloor(const Triangles& floor) { return world.setNavigationMesh(meshOf(floor).get(), "floor"); }
    // Loads an OBJ file the way the match loads the arena's.
    bool loadFile(const std::string& path)
    {
        return world.setNavigationMesh(path.c_str(), game.device()->getSceneManager(),
                                       game.device()->getVideoDriver());
    }
    irr::AI::AINavigationMesh& mesh()
    {
        if (!world.getNavigationMesh())
            throw std::runtime_error("the world has no navigation mesh");
        return *world.getNavigationMesh();
    }

    HeadlessGame game;
    irr::AI::AIWorld world;
};

TEST_F(NavigationTest, APointIsInsideOverTheFloorFromJustBelowItToPlayerHeightAndNowhereElse)
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

TEST_F(NavigationTest, FilesWithoutAFloorAreOneErrorEachAndAFailedLoadKeepsTheFloorUntilInit)
{
    ASSERT_TRUE(loadFloor(floorWithHole()));
    const auto folder =
        std::filesystem::temp_directory_path() / ("quillmarch-nav-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto writeFile = [&folder](const char* name, const std::string& text)
    {
        std::ofstream(folder / name) << text;
        return (folder / name).string();
    };
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
    std::filesystem::remove_all(folder);
}

// Where the human player and the four computer players start.
const std::vector<vector3df> startSpots{{0, 3, 0}, {-30, 3, -30}, {-30, 3, 30}, {30, 3, -30}, {30, 3, 30}};

// The generated arena, loaded through Irrlicht as the match loads it.
class ArenaNavigationTest : public NavigationTest
{
protected:
    void SetUp() override
    {
        NavigationTest::SetUp();
        ASSERT_TRUE(loadFile(GameScene::navigationMeshPath));
    }

    // Every straight leg from the start through the delivered corners stays on the floor.
    void expectLegsOnTheFloor(vector3df from, const std::vector<Corners::Update>& updates)
    {
        for (const Corners::Update& update : updates)
        {
            const int samples = static_cast<int>(from.getDistanceFrom(update.point) / 0.1f) + 1;
            for (int sample = 0; sample <= samples; ++sample)
            {
                const vector3df onLeg = from + (update.point - from) * (static_cast<float>(sample) / samples);
                ASSERT_TRUE(mesh().isPointInsideNavigationMesh({onLeg.X, 1.0f, onLeg.Z}))
                    << "leg to (" << update.point.X << ", " << update.point.Z << ") leaves the floor at ("
                    << onLeg.X << ", " << onLeg.Z << ")";
            }
            from = update.point;
        }
    }
};

TEST_F(ArenaNavigationTest, EverySpotIsOnTheFloorAndPathsBetweenTheStartSpotsArriveOverIt)
{
    irr::scene::IAnimatedMesh* spots = game.device()->getSceneManager()->getMesh(GameScene::unitSpotMeshPath);
    ASSERT_NE(spots, nullptr);
    const irr::scene::IMeshBuffer* buffer = spots->getMeshBuffer(0);
    ASSERT_GT(buffer->getVertexCount(), 2u);
    // The first two vertices are no unit spots, but a respawn may draw them.
    for (irr::u32 vertex = 0; vertex < buffer->getVertexCount(); ++vertex)
    {
        const vector3df& spot = buffer->getPosition(vertex);
        EXPECT_TRUE(mesh().isPointInsideNavigationMesh({spot.X, 1.0f, spot.Z})) << spot.X << ", " << spot.Z;
    }

    AIUnit unit(&world);
    for (const vector3df& start : startSpots)
    {
        EXPECT_TRUE(mesh().isPointInsideNavigationMesh(start)) << start.X << ", " << start.Z;
        for (const vector3df& target : startSpots)
        {
            if (start == target)
                continue;
            Corners corners;
            ASSERT_TRUE(unit.navigateToPoint(AIPoint(target), &corners, start));
            ASSERT_FALSE(corners.updates.empty());
            EXPECT_EQ(corners.updates.back().point, target);
            EXPECT_FALSE(corners.updates.back().reachedEnd);
            expectLegsOnTheFloor(start, corners.updates);
        }
    }
}

TEST_F(ArenaNavigationTest, WithoutAPathThereIsNoCallAndNoLogLineAndWithoutAWorldOrReceiverOneWarningEach)
{
    irr::AI::AIWorld bare, islands;
    ASSERT_TRUE(bare.init() && islands.init());
    ASSERT_TRUE(islands.setNavigationMesh(
        meshOf(joined({floorRectangle(0, 0, 10, 10), floorRectangle(30, 0, 40, 10)})).get(), "islands"));
    AIUnit unit(&world), onBareWorld(&bare), onIslands(&islands);
    Corners corners;
    ConsoleCapture console;
    AIUnit homeless(nullptr);
    // Computer players ask every few frames: a hundred failures stay silent.
    int pathsFound = 0;
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        pathsFound += unit.navigateToPoint(AIPoint({1000, 3, 1000}), &corners, {0, 3, 0});  // far outside
        pathsFound += unit.navigateToPoint(AIPoint({0, -100000, 0}), &corners, {0, 3, 0});  // far below
        pathsFound += onIslands.navigateToPoint(AIPoint({35, 3, 5}), &corners, {5, 3, 5});  // cut off
        pathsFound += onBareWorld.navigateToPoint(AIPoint({30, 3, 30}), &corners, {0, 3, 0});
        pathsFound += homeless.navigateToPoint(AIPoint({30, 3, 30}), &corners, {0, 3, 0});
        pathsFound += unit.navigateToPoint(AIPoint({30, 3, 30}), nullptr, {0, 3, 0});
    }
    EXPECT_EQ(pathsFound, 0);
    EXPECT_THAT(corners.updates, IsEmpty());
    EXPECT_THAT(console.reportLines(), ElementsAre(StartsWith("WARNING: "), StartsWith("WARNING: ")));
}

// A receiver that asks for a new path from inside its callback, as a state change might.
struct ReplanningReceiver : irr::AI::IAIUnitUpdateReceiver
{
    ReplanningReceiver(AIUnit& unit, irr::AI::IAIUnitUpdateReceiver& inner) : unit(unit), inner(inner) {}
    void onUnitUpdate(AIPoint* point, bool reachedEnd) override
    {
        points.push_back(point->getPosition());
        if (!reachedEnd && points.size() == 1)
            unit.navigateToPoint(AIPoint(startSpots[1]), &inner, startSpots[4]);
    }
    AIUnit& unit;
    irr::AI::IAIUnitUpdateReceiver& inner;
    std::vector<vector3df> points;
};

TEST_F(ArenaNavigationTest, AReceiverMayAskForAnotherPathDuringTheCallback)
{
    AIUnit unit(&world);
    Corners corners;
    ReplanningReceiver replanning(unit, corners);
    ASSERT_TRUE(unit.navigateToPoint(AIPoint(startSpots[4]), &replanning, startSpots[1]));
    ASSERT_GE(replanning.points.size(), 2u) << "a path of one leg asks nothing of the replanning";
    EXPECT_EQ(replanning.points.back(), startSpots[4]);
    ASSERT_FALSE(corners.updates.empty());
    EXPECT_EQ(corners.updates.back().point, startSpots[1]);
}

TEST_F(ArenaNavigationTest, StampsSetOrAddWhileStampsAndReadsOffTheMapAreIgnoredWithAWarningEach)
{
    // The map the match lays over the floor for the observer.
    AIInfluenceMap map(AIInfluenceMap::createMapFromMesh(
        game.device()->getSceneManager()->getMesh(GameScene::navigationMeshPath), 21, 21));
    vector3df middle(0, 3, 0), outside(-60, 3, 0), farAway(1e9f, 3, 1e9f);
    const int tile = map.getTileIndexAt(middle);
    map.setInfluence(0.5f, &middle, true);
    map.setInfluence(0.5f, &middle, true);
    EXPECT_EQ(map.getInfluenceAtIndex(tile), 1.0f);
    map.setInfluence(0.25f, &middle, false);

    ConsoleCapture console;
    for (int update = 0; update < 10; ++update)
    {
        map.setInfluence(1.0f, &outside, false);
        map.setInfluence(1.0f, &farAway, true);
        map.setInfluence(1.0f, nullptr, false);
        map.setInfluence(NAN, &middle, false);
        map.getInfluenceAtIndex(-1);
        EXPECT_EQ(map.getInfluenceAtIndex(map.getDataSize()), 0.0f);
    }
    float total = 0.0f;
    for (int index = 0; index < map.getDataSize(); ++index)
        total += map.getInfluenceAtIndex(index);
    EXPECT_EQ(total, 0.25f);
    EXPECT_THAT(console.reportLines(), ElementsAre(StartsWith("WARNING: "), StartsWith("WARNING: ")));
}
}  // namespace
