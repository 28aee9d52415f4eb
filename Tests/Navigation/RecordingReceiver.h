#pragma once

#include "External/IAIUnitUpdateReceiver.h"

#include <vector>

// Keeps every corner a navigating unit hands over, in order.
class RecordingReceiver : public irr::AI::IAIUnitUpdateReceiver
{
public:
    struct Update
    {
        irr::core::vector3df point;
        bool reachedEnd;
    };

    void onUnitUpdate(irr::AI::AIPoint* point, bool reachedEnd) override;

    std::vector<Update> updates;
};
