#include "MatchRunner.h"

#include "GameEngine/Console.h"
#include "Scenes/GameScene.h"
#include "Scenes/StartScene.h"
#include "TelemetryFile.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iomanip>
#include <map>
#include <ostream>

namespace
{
using Clock = std::chrono::steady_clock;

double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0.0;
    const auto rank = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(rank), values.end());
    return values[rank];
}
}  // namespace

MatchRunner::MatchRunner(const RunnerOptions& options)
    : options(options), engine(std::make_unique<GameEngine>(settingsFor(options))), dragon(options.seed)
{
}

MatchRunner::~MatchRunner() = default;

GameEngine::Settings MatchRunner::settingsFor(const RunnerOptions& options)
{
    GameEngine::Settings settings;
    settings.driverType = irr::video::EDT_NULL;
    settings.stoppedTimer = true;
    settings.sound = false;
    // The calendar starts at the seed and runs with the game's own clock, so chance repeats exactly.
    settings.calendarClock = [this, seed = options.seed]
    { return static_cast<std::int64_t>(seed) + engine->elapsedTime / 1000; };
    const std::string telemetryFile = options.telemetryFile;
    settings.connectTelemetry = [telemetryFile](const std::string& /*endpoint*/)
    { return std::unique_ptr<wsclient::WebSocket>(TelemetryFile::open(telemetryFile)); };
    settings.sceneLeaving = [this](BaseScene& leaving)
    {
        if (const auto* match = dynamic_cast<const BaseGameScene*>(&leaving))
            finished = MatchSummary::of(*match);
    };
    return settings;
}

int MatchRunner::run(std::ostream& out)
{
    engine->setFirstScene(std::make_unique<StartScene>());
    if (!engine->init(!options.telemetryFile.empty()))
        return 1;
    int played = 0;
    const Clock::time_point runStart = Clock::now();
    for (int number = 1; number <= options.matches; ++number)
    {
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
        matchSeconds.push_back(std::chrono::duration<double>(Clock::now() - matchStart).count());
        ++played;
        out << finished->line(number);
        if (options.memory)
            out << " | resident " << residentKilobytes() << " KB";
        out << '\n' << std::flush;
        summaries.push_back(*finished);
        if (number == std::min(memoryReportMatch, options.matches))
        {
            memoryAtReport = residentKilobytes();
            memoryReportedAfter = number;
        }
    }
    const double wallSeconds = std::chrono::duration<double>(Clock::now() - runStart).count();
    memoryAtEnd = residentKilobytes();
    engine->shutdown();
    writeTotals(out, played, wallSeconds);
    return played > 0 && played == options.matches ? 0 : 1;
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
    return dynamic_cast<GameScene*>(engine->getCurrentScene()) != nullptr;
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

void MatchRunner::writeTotals(std::ostream& out, int played, double wallSeconds) const
{
    std::map<int, int> wins;
    int founded = 0;
    int captured = 0;
    for (const MatchSummary& summary : summaries)
    {
        ++wins[summary.winnerId];
        for (const MatchSummary::Player& player : summary.players)
        {
            founded += player.campsFounded;
            captured += player.campsCaptured;
        }
    }
    const double medianMatch = percentile(matchSeconds, 0.5);
    out << "total: " << played << " of " << options.matches << " matches played, wins";
    for (const auto& [id, count] : wins)
        out << " id " << id << ": " << count;
    out << ", camps founded " << founded << ", captured " << captured << std::fixed << std::setprecision(3)
        << ", wall " << wallSeconds << " s, " << medianMatch << " s per match (median), "
        << std::setprecision(0) << realTimeFactor() << "x real time, frame median " << std::setprecision(1)
        << frameTimes.percentile(0.5) << " us, p99 " << frameTimes.percentile(0.99)
        << " us, resident memory ";
    if (memoryReportedAfter > 0)
        out << memoryAtReport << " KB after match " << memoryReportedAfter << ", ";
    out << memoryAtEnd << " KB after the last\n";
}

double MatchRunner::realTimeFactor() const
{
    double wall = 0.0;
    for (double seconds : matchSeconds)
        wall += seconds;
    return wall > 0.0 ? playedMs / 1000.0 / wall : 0.0;
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
