#pragma once

#include <AL/al.h>
#include <array>
#include <irrlicht.h>

// The listener's look direction and up vector in OpenAL's space, both of unit length and the up vector
// perpendicular to the look. OpenAL accepts a zero or parallel pair and then mixes garbage, so only a pair
// that makes an orientation replaces the last good one.
class ListenerOrientation
{
public:
    // Returns whether the pair was taken.
    bool update(const irr::core::vector3df& lookDirection, const irr::core::vector3df& upVector);

    // The look direction followed by the up vector, as AL_ORIENTATION takes them.
    const std::array<ALfloat, 6>& getOpenALValues() const { return values; }

private:
    // Below this sine of the angle between look and up, the two no longer define a side.
    static constexpr double minimumSine = 1e-3;

    std::array<ALfloat, 6> values{0, 0, -1, 0, 1, 0};
};
