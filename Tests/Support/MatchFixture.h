#pragma once

#include "GameEngine/TextAnnouncer.h"
#include "Support/HeadlessGame.h"
#include "Support/TestMatch.h"

#include <irrlicht.h>
#include <string>
#include <vector>

class AIPlayer;
class BasePlayer;
class Camp;
class HumanPlayer;
class Unit;

// A real match reached from the menu, with a recording sound engine and a fixed calendar clock.
class MatchFixture
{
public:
    static constexpr std::int64_t calendarSeconds = 1700000000;
    // The null driver and the fixed calendar; a display test switches the driver.
    static GameEngine::Settings headless();

    explicit MatchFixture(irr::u32 orcs = 0, bool telemetry = false,
                          GameEngine::Settings settings = headless());
    ~MatchFixture();

    // Parks every unit below its spot and puts the dragon at (0, 2, 0) after the first frame (of no length).
    bool quiet();
    // The next unit not yet brought back, free at `position`.
    Unit& freeUnitAt(const irr::core::vector3df& position);
    // New units in a row beside `owner`, picked up by it in turn.
    std::vector<Unit*> giveUnits(BasePlayer& owner, int count);
    // The camp `founder` founds on open ground at `where` with `units` new units; null if none was made.
    Camp* foundCamp(BasePlayer& founder, const irr::core::vector3df& where, int units);
    // A camp the scene makes for `owner` (absorbing its units), then set to hold `units`.
    Camp& campAt(const irr::core::vector3df& position, BasePlayer& owner, int units);
    // A teleport, not a walk: collision keeps its last position unless told.
    void place(irr::scene::ISceneNode* node, const irr::core::vector3df& position);
    int plays(const std::string& file, bool placed = false) const;

    void frames(int count, irr::u32 length = 16) { game.runFrames(count, length); }
    const std::vector<Announcement>& said() const { return match->announcer->getMessages(); }
    HumanPlayer& human() { return *match->humanPlayer; }
    AIPlayer& orc(std::size_t index) { return *match->aiPlayers.at(index); }

    HeadlessGame game;
    RecordingSoundEngine* sound = new RecordingSoundEngine();
    TestMatch* match = nullptr;
    bool started = false;
    std::size_t nextUnit = 0;
};
