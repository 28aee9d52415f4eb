#pragma once

#include "AI/CampWalkState.h"

// Walks to one of the player's own camps to hand it the units.
class ReinforceState : public CampWalkState
{
public:
    using CampWalkState::CampWalkState;

    void update(AIPlayer* player) override;

protected:
    std::string startLine(const AIPlayer* player) const override;
};
