#pragma once

#include "AI/State.h"

class BasePlayer;
class Camp;
class Unit;

// Where a computer player spends most of a match: each frame it weighs, in a fixed order, a foreign camp
// it can take, enough units to found a camp, a rival to dash at, a weaker player near (which sends it to
// an own camp), and otherwise the nearest free unit to collect.
class FetchingState : public State
{
public:
    void start(AIPlayer* player) override;
    void update(AIPlayer* player) override;

    float playerRange = 0.0f;
    float captureRange = 0.0f;

private:
    struct NearPlayers
    {
        BasePlayer* rival = nullptr;
        bool weakerNear = false;
    };

    Camp* campToCapture(const AIPlayer* player) const;
    NearPlayers lookAtOtherPlayers(const AIPlayer* player) const;
    static void dashAt(AIPlayer* player, const BasePlayer& rival);
    static Camp* nearestOwnCamp(const AIPlayer* player);
    static Unit* nearestFreeUnit(const AIPlayer* player);
};
