#pragma once

#include "DragonDriver.h"
#include "FrameTimes.h"
#include "GameEngine/GameEngine.h"
#include "MatchRecord.h"
#include "MatchWatch.h"
#include "RunnerOptions.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <vector>

class GameScene;
class StartScene;

// Plays whole matches of the real game without a window: the engine on the null driver, its timer
// advanced by the frame lengths asked for, each match started from the menu's own "Start Game" as a
// player would, and ended where the game ends it. Every match starts from where a fresh run starts, with
// the seed of its number, so it plays the same whatever came before it and in whichever process.
class MatchRunner
{
public:
    using Played = std::function<void(MatchRecord& record)>;

    // Telemetry goes to `telemetry` when it is not null.
    MatchRunner(const RunnerOptions& options, std::ostream* telemetry);
    ~MatchRunner();
    MatchRunner(const MatchRunner&) = delete;
    MatchRunner& operator=(const MatchRunner&) = delete;

    // Plays the matches of these numbers in order and hands each to `played` as it ends; at the first
    // that cannot be played (said on the console) it stops. How many were played.
    std::size_t play(const std::vector<int>& numbers, const Played& played);
    const FrameTimes& frames() const { return frameTimes; }
    static long residentKilobytes();

private:
    // Longer than any match can last, so a match that never ends cannot hang the runner.
    static constexpr float longestMatchMs = 120000.0f;

    GameEngine::Settings settingsFor();
    // Back to where a fresh run stands before its first match: the clock, the chance, the dragon's keys.
    void startOver(int number);
    bool startMatchFromMenu();
    void clickButton(irr::gui::IGUIElement* button);
    void giveParameterSets(GameScene& match) const;
    // Runs frames until the match has handed back to the menu; false if it never did.
    bool playMatch();
    // The length of the next frame of the match, `matchMs` into it.
    double nextFrameMs(double matchMs);
    void runFrame(double frameMs);

    RunnerOptions options;
    std::ostream* telemetry;
    std::unique_ptr<GameEngine> engine;
    DragonDriver dragon;
    MatchWatch watch;
    std::uint32_t matchSeed = 0;
    // Where the mouse cursor stands in a fresh run: the dragon turns by it in a match's first frame.
    irr::core::position2di firstCursor;
    // The run's time in ms, of which the game's timer shows the whole ms; the game time the match has
    // played; the frame of the frame lengths' turn.
    double time = 0.0;
    double playedMs = 0.0;
    std::size_t frameNumber = 0;
    bool longFrameDue = false;
    std::optional<MatchSummary> finished;
    FrameTimes frameTimes;
};
