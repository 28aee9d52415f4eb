#include "Support/RecordingSoundEngine.h"

void RecordingSoundEngine::setListenerPosition(const irr::core::vector3df& position,
                                               const irr::core::vector3df& lookDirection,
                                               const irr::core::vector3df& /*velocity*/,
                                               const irr::core::vector3df& /*up*/)
{
    ++listenerUpdates;
    listenerPosition = position;
    listenerLookDirection = lookDirection;
}
