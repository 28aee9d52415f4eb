#pragma once

#include "Support/HeadlessGame.h"
#include "Support/TestMatch.h"

#include <irrlicht.h>
#include <memory>

class AIPlayer;
class HumanPlayer;
class Unit;

// A real match on the null driver, reached from the menu as "Start Game" would, with a recording sound
// engine and a fixed calendar clock (so camp headings, respawn spots and scatters repeat). The tests that
// want a quiet arena park every free unit out of play first and bring back only the ones they use.
class MatchFixture
{
public:
    static constexpr std::int64_t calendarSeconds = 1700000000;

    explicit MatchFixture(irr::u32 orcs = 0, bool telemetry = false,
                          GameEngine::Settings settings = GameEngine::Settings());
    ~MatchFixture();
    MatchFixture(const MatchFixture&) = delete;
    MatchFixture& operator=(const MatchFixture&) = delete;

    // Runs `count` frames of `length` ms each.
    void frames(int count, irr::u32 length = 16);
    // Moves every unit out of play, far below the arena.
    void parkAllUnits();
    // Brings unit `index` back into play, free, standing at `position`.
    Unit& freeUnitAt(std::size_t index, const irr::core::vector3df& position);
    void place(irr::scene::ISceneNode* node, const irr::core::vector3df& position);

    HumanPlayer& human();
    AIPlayer& orc(std::size_t index);

    HeadlessGame game;
    RecordingSoundEngine* sound = new RecordingSoundEngine();
    TestMatch* match = nullptr;
    bool started = false;
};
