#include "MatchRunner.h"

#include "AI/AIPlayer.h"
#include "GameEngine/Console.h"
#include "Scenes/GameScene.h"
#include "Scenes/StartScene.h"
#include "TelemetryFile.h"

#include <chrono>
#include <fstream>

namespace
{
using Clock = std::chrono::steady_clock;
}  // namespace

MatchRunner::MatchRunner(const RunnerOptions& options, std::ostream* telemetry)
    : options(options), telemetry(telemetry), engine(std::make_unique<GameEngine>(settingsFor())),
      dragon(options.seed)
{
}

MatchRunner::~MatchRunner() = default;

GameEngine::Settings MatchRunner::settingsFor()
{
    GameEngine::Settings settings;
    settings.driverType = irr::video::EDT_NULL;
    settings.stoppedTimer = true;
    settings.sound = false;
    // The calendar starts at the match's seed and runs with the game's own clock, so chance repeats exactly.
    settings.calendarClock = [this]
    { return static_cast<std::int64_t>(matchSeed) + engine->elapsedTime / 1000; };
    settings.connectTelemetry = [this](const std::string& /*endpoint*/)
    { return std::unique_ptr<wsclient::WebSocket>(std::make_unique<TelemetryFile>(*telemetry)); };
    settings.sceneLeaving = [this](BaseScene& leaving)
    {
        if (const auto* match = dynamic_cast<const BaseGameScene*>(&leaving))
            finished = MatchSummary::of(*match);
    };
    return settings;
}

std::size_t MatchRunner::play(const std::vector<int>& numbers, const Played& played)
{
    engine->setFirstScene(std::make_unique<StartScene>());
    if (!engine->init(telemetry != nullptr))
        return 0;
    firstCursor = engine->device->getCursorControl()->getPosition();
    std::size_t count = 0;
    for (const int number : numbers)
    {
        startOver(number);
        if (!startMatchFromMenu())
        {
            Console::error("Match " + std::to_string(number) +
                           " could not be set up; no more matches are played");
            break;
        }
        const Clock::time_point matchStart = Clock::now();
        if (!playMatch())
        {
            Console::error("Match " + std::to_string(number) + " did not end in time");
            break;
        }
        MatchRecord record;
        record.number = number;
        record.seed = matchSeed;
        record.summary = *finished;
        record.seconds = std::chrono::duration<double>(Clock::now() - matchStart).count();
        record.gameMs = playedMs;
        record.residentKilobytes = residentKilobytes();
        played(record);
        ++count;
    }
    engine->shutdown();
    return count;
}

void MatchRunner::startOver(int number)
{
    // A fresh run's engine starts its clock at 0 and has not yet drawn a number when the match begins.
    time = 0.0;
    playedMs = 0.0;
    frameNumber = 0;
    engine->device->getTimer()->setTime(0);
    engine->elapsedTime = 0;
    engine->random.seed(RandomSource::firstState);
    engine->device->getCursorControl()->setPosition(firstCursor);
    matchSeed = options.seedOf(number);
    dragon.restart(matchSeed);
}

bool MatchRunner::startMatchFromMenu()
{
    auto* menu = dynamic_cast<StartScene*>(engine->getCurrentScene());
    if (!menu)
        return false;
    while (menu->aiPlayerCount < options.orcs)
        clickButton(menu->addPlayerButton);
    while (menu->aiPlayerCount > options.orcs)
        clickButton(menu->removePlayerButton);
    clickButton(menu->startButton);
    // A match that cannot be set up sends the player back to a fresh menu.
    auto* match = dynamic_cast<GameScene*>(engine->getCurrentScene());
    if (!match)
        return false;
    giveParameterSets(*match);
    return true;
}

void MatchRunner::giveParameterSets(GameScene& match) const
{
    for (const std::shared_ptr<AIPlayer>& orc : match.aiPlayers)
    {
        const auto set = options.orcParameters.find(orc->id);
        if (set != options.orcParameters.end())
            orc->setParameters(set->second.parameters);
    }
}

void MatchRunner::clickButton(irr::gui::IGUIElement* button)
{
    irr::SEvent event{};
    event.EventType = irr::EET_GUI_EVENT;
    event.GUIEvent.Caller = button;
    event.GUIEvent.EventType = irr::gui::EGET_BUTTON_CLICKED;
    engine->device->postEventFromUser(event);
}

bool MatchRunner::playMatch()
{
    finished.reset();
    watch.reset();
    longFrameDue = options.longFrameMs > 0;
    const auto longestFrames = static_cast<long long>(longestMatchMs / options.meanFrameMs());
    double matchMs = 0.0;
    for (long long frame = 0; frame < longestFrames && !finished; ++frame)
    {
        const double frameMs = nextFrameMs(matchMs);
        if (options.dragon == RunnerOptions::Dragon::wander)
            dragon.drive(engine->device, matchMs, frameMs);
        runFrame(frameMs);
        matchMs += frameMs;
    }
    dragon.releaseAll(engine->device);
    if (!finished)
        return false;
    finished->addWatch(watch.records());
    if (options.durations)
        finished->addDurations(watch.durations());
    finished->jump = watch.jump();
    return true;
}

double MatchRunner::nextFrameMs(double matchMs)
{
    if (longFrameDue && matchMs >= options.longFrameAtMs)
    {
        longFrameDue = false;
        const auto longFrame = static_cast<double>(options.longFrameMs);
        if (const auto* match = dynamic_cast<const GameScene*>(engine->getCurrentScene()))
            watch.beginJump(*match, longFrame);
        return longFrame;
    }
    return options.frameMs[frameNumber++ % options.frameMs.size()];
}

void MatchRunner::runFrame(double frameMs)
{
    time += frameMs;
    playedMs += frameMs;
    engine->device->getTimer()->setTime(static_cast<irr::u32>(time));
    const Clock::time_point start = Clock::now();
    engine->runFrame();
    frameTimes.record(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    if (const auto* match = dynamic_cast<const GameScene*>(engine->getCurrentScene()))
        watch.observe(*match, match->frameDelta);
}

long MatchRunner::residentKilobytes()
{
    // Linux: the second field of /proc/self/statm is the resident set in pages.
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}
