#pragma once

#include "AI/CampWalkState.h"

// Walks to a camp that is not the player's, to capture it or wear it down.
class CaptureBaseState : public CampWalkState
{
public:
    using CampWalkState::CampWalkState;

protected:
    std::string startLine(const AIPlayer* player) const override;
};
