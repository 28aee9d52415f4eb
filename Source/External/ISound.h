#pragma once

#include <irrlicht.h>

// One sound started by an ISoundEngine with tracking on. It stays valid while the caller holds it, even
// after the engine's last other reference is dropped; once the sound has finished (or made way for a
// newer one) its operations do nothing.
class ISound : public virtual irr::IReferenceCounted
{
public:
    virtual void setIsPaused(bool paused = true) = 0;
    virtual bool getIsPaused() = 0;
    virtual void stop() = 0;
    virtual bool isFinished() = 0;
};
