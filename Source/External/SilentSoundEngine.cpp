#include "External/SilentSoundEngine.h"

ISound* SilentSoundEngine::play2D(const char*, bool, bool, bool, E_STREAM_MODE, bool)
{
    return nullptr;
}

ISound* SilentSoundEngine::play3D(const char*, irr::core::vector3df, bool, bool, bool, E_STREAM_MODE, bool)
{
    return nullptr;
}

void SilentSoundEngine::setListenerPosition(const irr::core::vector3df&, const irr::core::vector3df&,
                                            const irr::core::vector3df&, const irr::core::vector3df&)
{
}

void SilentSoundEngine::setGains(float, float)
{
}
