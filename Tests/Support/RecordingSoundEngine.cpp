#include "Support/RecordingSoundEngine.h"

ISound* RecordingSoundEngine::play2D(const char* soundFileName, bool playLooped, bool /*startPaused*/,
                                     bool /*track*/, E_STREAM_MODE /*streamMode*/,
                                     bool /*enableSoundEffects*/)
{
    plays.push_back({soundFileName, false, {}, playLooped});
    return nullptr;
}

ISound* RecordingSoundEngine::play3D(const char* soundFileName, irr::core::vector3df position,
                                     bool playLooped, bool /*startPaused*/, bool /*track*/,
                                     E_STREAM_MODE /*streamMode*/, bool /*enableSoundEffects*/)
{
    plays.push_back({soundFileName, true, position, playLooped});
    return nullptr;
}

void RecordingSoundEngine::setListenerPosition(const irr::core::vector3df& position,
                                               const irr::core::vector3df& lookDirection,
                                               const irr::core::vector3df& /*velocityPerSecond*/,
                                               const irr::core::vector3df& /*upVector*/)
{
    ++listenerUpdates;
    listenerPosition = position;
    listenerLookDirection = lookDirection;
}
