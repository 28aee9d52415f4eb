#pragma once

#include "AI/State.h"

// Founds a camp where the player stands; where that ground is taken, the player gathers one unit more
// before it tries again, and where the camp cannot be made it gathers on and tries again a while later.
class CreateBaseState : public State
{
public:
    void start(AIPlayer* player) override;
    void update(AIPlayer* player) override;
};
