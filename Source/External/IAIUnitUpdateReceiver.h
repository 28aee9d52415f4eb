#pragma once

#include "External/AIPoint.h"

namespace irr::AI
{
// Told the corners of a path while AIUnit::navigateToPoint runs, on the caller's thread.
class IAIUnitUpdateReceiver
{
public:
    virtual ~IAIUnitUpdateReceiver() = default;
    // `point` lives only for the call. `reachedEnd` is true only when the unit already stands at its target.
    virtual void onUnitUpdate(AIPoint* point, bool reachedEnd) = 0;
};
}  // namespace irr::AI
