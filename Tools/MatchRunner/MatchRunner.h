#pragma once

#include "DragonDriver.h"
#include "FrameTimes.h"
#include "GameEngine/GameEngine.h"
#include "MatchSummary.h"
#include "MatchWatch.h"
#include "RunnerOptions.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <vector>

class StartScene;

// Plays whole matches of the real game without a window: the engine on the null driver, its timer
// advanced by the frame lengths asked for, each match started from the menu's own "Start Game" as a
// player would, and ended where the game ends it.
class MatchRunner
{
public:
    explicit MatchRunner(const RunnerOptions& options);
    ~MatchRunner();
    MatchRunner(const MatchRunner&) = delete;
    MatchRunner& operator=(const MatchRunner&) = delete;

    // Writes a line per match and the totals to `out`; returns the process's exit status: 0 when every
    // match was played, 1 when none could be.
    int run(std::ostream& out);

private:
    // Longer than any match can last, so a match that never ends cannot hang the runner.
    static constexpr float longestMatchMs = 120000.0f;
    static constexpr int memoryReportMatch = 5;

    GameEngine::Settings settingsFor(const RunnerOptions& options);
    bool startMatchFromMenu();
    void clickButton(irr::gui::IGUIElement* button);
    // Runs frames until the match has handed back to the menu; false if it never did.
    bool playMatch();
    // The length of the next frame of the match, `matchMs` into it.
    double nextFrameMs(double matchMs);
    void runFrame(double frameMs);
    void writeTotals(std::ostream& out, int played, double wallSeconds) const;
    // Game time played per second of wall time.
    double realTimeFactor() const;
    static long residentKilobytes();

    RunnerOptions options;
    std::unique_ptr<GameEngine> engine;
    DragonDriver dragon;
    MatchWatch watch;
    // The run's time in ms, of which the game's timer shows the whole ms; the game time played; the
    // frame of the frame lengths' turn.
    double time = 0.0;
    double playedMs = 0.0;
    std::size_t frameNumber = 0;
    bool longFrameDue = false;
    std::optional<MatchSummary> finished;
    std::vector<MatchSummary> summaries;
    FrameTimes frameTimes;
    std::vector<double> matchSeconds;
    long memoryAtReport = 0;
    long memoryAtEnd = 0;
    int memoryReportedAfter = 0;
};
