#include "Entities/BasePlayer.h"
#include "Entities/Camp.h"
#include "Entities/Unit.h"
#include "GameEngine/BaseEntity.h"
#include "Scenes/ArenaVault.h"
#include "Scenes/GameScene.h"
#include "Scenes/StartScene.h"
#include "Support/HeadlessGame.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr irr::u32 frameMs = 16;

// A whole match with four orcs, started from the menu and played for 20 s, so that units follow their
// players; every player then holds a camp. Its clock is held short of the end, so it can run for ever.
class FullMatch
{
public:
    explicit FullMatch(irr::video::E_DRIVER_TYPE driverType) : game(settingsFor(driverType))
    {
        if (!game.start(std::make_unique<StartScene>()))
            return;
        auto* menu = game.currentSceneAs<StartScene>();
        for (int click = 0; click < 3; ++click)
            game.postButtonClicked(menu->addPlayerButton);
        game.postButtonClicked(menu->startButton);
        match = game.currentSceneAs<GameScene>();
        if (!match)
            return;
        game.runFrames(200, 100);
        for (const std::shared_ptr<BasePlayer>& player : match->players)
            if (std::none_of(match->camps.begin(), match->camps.end(),
                             [&](const auto& camp) { return camp->ownerId == player->id; }))
                player->campAction();
    }

    void frame()
    {
        if (match->sceneTime > 60000.0f)
            match->sceneStartTime += 30000.0f;
        game.runFrame(frameMs);
    }

    HeadlessGame game;
    GameScene* match = nullptr;

private:
    static GameEngine::Settings settingsFor(irr::video::E_DRIVER_TYPE driverType)
    {
        GameEngine::Settings settings;
        settings.driverType = driverType;
        settings.sound = false;
        settings.calendarClock = [] { return std::int64_t{1700000000}; };
        return settings;
    }
};

// The logic of one frame of a full match: the whole frame on the null driver, which draws nothing.
void fullMatchFrameLogic(benchmark::State& state)
{
    FullMatch full(irr::video::EDT_NULL);
    if (!full.match)
    {
        state.SkipWithError("the match did not start");
        return;
    }
    std::vector<double> microseconds;
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        full.frame();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        microseconds.push_back(took.count() * 1e6);
    }
    std::nth_element(microseconds.begin(), microseconds.begin() + microseconds.size() / 2,
                     microseconds.end());
    state.counters["median_us"] = microseconds[microseconds.size() / 2];
    state.counters["camps"] = static_cast<double>(full.match->camps.size());
    state.counters["players"] = static_cast<double>(full.match->players.size());
}

// A fixed count: each run sets up a match of its own.
BENCHMARK(fullMatchFrameLogic)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(5000);

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// What a drawn frame shows, to find what costs the most.
enum class Shown
{
    fullMatch,
    emptyArena,    // the level alone, from the same camera: no units, players, camps or rings
    arenaAsSetUp,  // the level alone, from the camera as the setup places it, before the dragon moves it
    noShadow,      // the full match without the level's shadow volume
    noRings,       // the camps stand, their rings are not drawn
    noLabels,      // no text above the camps and players
    noUnits,
    noVault  // the clear grey above the walls, as before the vault
};

// Hides what `shown` leaves out, and shows it again when it goes.
class ShownPart
{
public:
    ShownPart(GameScene& match, Shown shown) : match(match)
    {
        const bool empty = shown == Shown::emptyArena || shown == Shown::arenaAsSetUp;
        if (shown == Shown::noShadow)
            hideAll(irr::scene::ESNT_SHADOW_VOLUME);
        if (shown == Shown::noLabels)
            hideAll(irr::scene::ESNT_TEXT);
        if (shown == Shown::noVault && match.vault)
            hide(match.vault);
        // Camps kept aside stay alive for the players that stand in them.
        if (shown == Shown::noRings || empty)
            campsAside.swap(match.camps);
        for (const std::shared_ptr<Unit>& unit : match.units)
            if (shown == Shown::noUnits || empty)
                hide(unit->node);
        for (const std::shared_ptr<BasePlayer>& player : match.players)
            if (empty)
                hide(player->node);
        for (const std::shared_ptr<Camp>& camp : campsAside)
            if (empty)
                hide(camp->node);
        if (shown == Shown::arenaAsSetUp)
        {
            // Only the announcer goes on: nobody moves the camera.
            entitiesAside.swap(match.entities);
            match.entities.push_back(entitiesAside.front());
            match.sceneManager->getActiveCamera()->setPosition({1, 0, 0});
            match.sceneManager->getActiveCamera()->setTarget({0, 0, 0});
        }
    }
    ~ShownPart()
    {
        for (irr::scene::ISceneNode* node : hidden)
            node->setVisible(true);
        match.camps.insert(match.camps.end(), campsAside.begin(), campsAside.end());
        if (!entitiesAside.empty())
            match.entities.swap(entitiesAside);
    }
    ShownPart(const ShownPart&) = delete;
    ShownPart& operator=(const ShownPart&) = delete;

private:
    void hide(irr::scene::ISceneNode* node)
    {
        if (!node->isVisible())
            return;
        node->setVisible(false);
        hidden.push_back(node);
    }
    void hideAll(irr::scene::ESCENE_NODE_TYPE type)
    {
        irr::core::array<irr::scene::ISceneNode*> nodes;
        match.sceneManager->getSceneNodesFromType(type, nodes);
        for (irr::u32 index = 0; index < nodes.size(); ++index)
            hide(nodes[index]);
    }

    GameScene& match;
    std::vector<irr::scene::ISceneNode*> hidden;
    std::vector<std::shared_ptr<Camp>> campsAside;
    std::vector<std::shared_ptr<BaseEntity>> entitiesAside;
};

const std::pair<Shown, const char*> variants[] = {{Shown::fullMatch, "fps_full_match"},
                                                  {Shown::emptyArena, "fps_empty_arena"},
                                                  {Shown::arenaAsSetUp, "fps_arena_as_set_up"},
                                                  {Shown::noShadow, "fps_no_shadow_volume"},
                                                  {Shown::noRings, "fps_no_rings"},
                                                  {Shown::noLabels, "fps_no_labels"},
                                                  {Shown::noUnits, "fps_no_units"},
                                                  {Shown::noVault, "fps_no_vault"}};

// Frames per second of a full match drawn with OpenGL at 1920x1080, beside the same arena shown less
// (fps_no_vault: what the vault over the arena costs). The
// variants take turns in short runs of frames, so that a machine busy with other work slows them alike;
// the benchmark's own time is that of the full match's frames.
void drawnMatchFramesPerSecond(benchmark::State& state)
{
    if (!std::getenv("DISPLAY"))
    {
        state.SkipWithError("needs a display: run the benchmarks under xvfb-run");
        return;
    }
    FullMatch full(irr::video::EDT_OPENGL);
    if (!full.match)
    {
        state.SkipWithError("the match did not start");
        return;
    }
    constexpr int framesPerTurn = 20;
    std::vector<double> seconds(std::size(variants));
    std::vector<double> cpu(std::size(variants));
    for (auto _ : state)
    {
        for (std::size_t variant = 0; variant < std::size(variants); ++variant)
        {
            ShownPart part(*full.match, variants[variant].first);
            // What is shown again is built again in its first frame (the shadow volume).
            full.frame();
            const double cpuStart = processCpuSeconds();
            const auto start = std::chrono::steady_clock::now();
            for (int frame = 0; frame < framesPerTurn; ++frame)
                full.frame();
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            cpu[variant] += processCpuSeconds() - cpuStart;
            seconds[variant] += took.count();
            if (variant == 0)
                state.SetIterationTime(took.count() / framesPerTurn);
        }
    }
    for (std::size_t variant = 0; variant < std::size(variants); ++variant)
        state.counters[variants[variant].second] =
            static_cast<double>(state.iterations() * framesPerTurn) / seconds[variant];
    // The processor time of a frame, the renderer's threads included: other work on the machine slows the
    // frames per second, much less this.
    for (std::size_t variant = 0; variant < std::size(variants); ++variant)
        state.counters[std::string("cpu_ms_") + (variants[variant].second + 4)] =
            cpu[variant] * 1000.0 / static_cast<double>(state.iterations() * framesPerTurn);
}

BENCHMARK(drawnMatchFramesPerSecond)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
}  // namespace
