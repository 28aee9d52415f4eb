#include "RecordingReceiver.h"

void RecordingReceiver::onUnitUpdate(irr::AI::AIPoint* point, bool reachedEnd)
{
    updates.push_back({point->getPosition(), reachedEnd});
}
