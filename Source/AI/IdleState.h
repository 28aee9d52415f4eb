#pragma once

#include "AI/State.h"

// Waits for a free unit to fetch; a player that returns to idle goes on fetching at once.
class IdleState : public State
{
public:
    void start(AIPlayer* player) override;
    void update(AIPlayer* player) override;
};
