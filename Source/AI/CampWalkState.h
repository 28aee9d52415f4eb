#pragma once

#include "AI/State.h"

#include <string>

class Camp;

// A walk to a camp that ends with the camp action where the player arrives: what that does follows from
// the zone the player then stands in, not from the camp it set out for.
class CampWalkState : public State
{
public:
    explicit CampWalkState(Camp* camp);

    void start(AIPlayer* player) override;
    // Walks on; the camp action and a return to fetching on arrival.
    void update(AIPlayer* player) override;

protected:
    // The line the state writes when it starts.
    virtual std::string startLine(const AIPlayer* player) const = 0;

    Camp* camp;
};
