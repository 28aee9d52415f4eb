#pragma once

#include "External/AIPoint.h"
#include "External/AIWorld.h"
#include "External/IAIUnitUpdateReceiver.h"
#include "External/OnceWarning.h"

namespace irr::AI
{
// One navigating agent on a world's floor. It keeps no path: each request is answered at once.
class AIUnit
{
public:
    // `world` is not owned and must outlive the unit.
    explicit AIUnit(AIWorld* world);
    virtual ~AIUnit();
    AIUnit(const AIUnit&) = delete;
    AIUnit& operator=(const AIUnit&) = delete;

    // Finds the straight path from `start` to `target` and hands the receiver, during this call, each
    // corner after the start in order (reachedEnd false), the target last; when start and target
    // are one spot, the target once with reachedEnd true. No call, and false, when there is no path.
    // A failed search writes nothing to the console: computer players ask every few frames.
    bool navigateToPoint(const AIPoint& target, IAIUnitUpdateReceiver* receiver,
                         const core::vector3df& start);

private:
    AIWorld* world;
    OnceWarning missingReceiver;
};
}  // namespace irr::AI
