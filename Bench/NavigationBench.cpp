#include "External/AIInfluenceMap.h"
#include "External/AIUnit.h"
#include "External/AIWorld.h"
#include "Support/HeadlessGame.h"

#include <benchmark/benchmark.h>

namespace
{
using irr::core::vector3df;

const char* const arenaNavigation = "../Assets/Models/Arena2/ARENA_NAV.obj";

class CountingReceiver : public irr::AI::IAIUnitUpdateReceiver
{
public:
    void onUnitUpdate(irr::AI::AIPoint*, bool) override { ++corners; }
    long corners = 0;
};

// The headless engine with the arena's navigation mesh in its mesh cache, as at match start.
struct Arena
{
    Arena()
    {
        game.start(std::make_unique<BaseScene>());
        // Irrlicht would log every reload of the file.
        game.device()->getLogger()->setLogLevel(irr::ELL_WARNING);
        sceneManager = game.device()->getSceneManager();
        mesh = sceneManager->getMesh(arenaNavigation);
    }
    HeadlessGame game;
    irr::scene::ISceneManager* sceneManager = nullptr;
    irr::scene::IAnimatedMesh* mesh = nullptr;
};

// From one computer player's corner to the opposite one, around the pillars, and back.
void navigateToPointAcrossTheArena(benchmark::State& state)
{
    Arena arena;
    irr::AI::AIWorld world;
    world.init();
    if (!world.setNavigationMesh(arenaNavigation, arena.sceneManager, nullptr))
    {
        state.SkipWithError("the arena's navigation mesh did not load");
        return;
    }
    irr::AI::AIUnit unit(&world);
    CountingReceiver receiver;
    const vector3df corners[2] = {{-30, 3, -30}, {30, 3, 30}};
    int leg = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(
            unit.navigateToPoint(irr::AI::AIPoint(corners[1 - leg]), &receiver, corners[leg]));
        leg = 1 - leg;
    }
    state.counters["corners per path"] =
        benchmark::Counter(static_cast<double>(receiver.corners), benchmark::Counter::kAvgIterations);
}
BENCHMARK(navigateToPointAcrossTheArena)->Repetitions(5)->ReportAggregatesOnly(true);

// Propagation of the match's 21 by 21 influence map in the state it reaches in the long run: five players
// stamped once, then a thousand propagations of fading before the timing starts, so that a short run and a
// long one measure the same state. (Left alone, fading values once sank into subnormal floats and stayed
// there, which made every propagation slower.)
void propagateInfluenceMap21x21(benchmark::State& state)
{
    Arena arena;
    irr::AI::AIInfluenceMap map(irr::AI::AIInfluenceMap::createMapFromMesh(arena.mesh, 21, 21));
    map.setInfluenceSettings(0.9f, 1.0f, true);
    vector3df players[5] = {{0, 3, 0}, {-30, 3, -30}, {-30, 3, 30}, {30, 3, -30}, {30, 3, 30}};
    for (vector3df& player : players)
        map.setInfluence(1.0f, &player, false);
    for (int fading = 0; fading < 1000; ++fading)
        map.propagate();
    for (auto _ : state)
    {
        map.propagate();
        benchmark::DoNotOptimize(map.getInfluenceAtIndex(220));
    }
}
BENCHMARK(propagateInfluenceMap21x21)->Repetitions(5)->ReportAggregatesOnly(true);

// Match start: the mesh is already in Irrlicht's cache (the influence maps loaded it first).
void buildNavigationMeshAtMatchStart(benchmark::State& state)
{
    Arena arena;
    for (auto _ : state)
    {
        irr::AI::AIWorld world;
        world.init();
        benchmark::DoNotOptimize(world.setNavigationMesh(arenaNavigation, arena.sceneManager, nullptr));
    }
    state.SetLabel(arena.mesh ? "arena" : "arena missing");
}
BENCHMARK(buildNavigationMeshAtMatchStart)->Unit(benchmark::kMillisecond);

// The same with the OBJ file read and parsed by Irrlicht every time.
void buildNavigationMeshFromFile(benchmark::State& state)
{
    Arena arena;
    for (auto _ : state)
    {
        arena.sceneManager->getMeshCache()->removeMesh(arena.sceneManager->getMesh(arenaNavigation));
        irr::AI::AIWorld world;
        world.init();
        benchmark::DoNotOptimize(world.setNavigationMesh(arenaNavigation, arena.sceneManager, nullptr));
    }
}
BENCHMARK(buildNavigationMeshFromFile)->Unit(benchmark::kMillisecond);

// The two influence maps of match start: the grid from the mesh, then the distance map.
void createInfluenceMapsAtMatchStart(benchmark::State& state)
{
    Arena arena;
    for (auto _ : state)
    {
        irr::AI::AIInfluenceMap distances(irr::AI::AIInfluenceMap::createMapFromMesh(arena.mesh, 21, 21));
        distances.fillWithDistances();
        benchmark::DoNotOptimize(distances.getInfluenceAtIndex(220));
    }
}
BENCHMARK(createInfluenceMapsAtMatchStart)->Unit(benchmark::kMicrosecond);
}  // namespace
