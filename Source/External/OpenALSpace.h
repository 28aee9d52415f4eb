#pragma once

#include <AL/al.h>
#include <array>
#include <cmath>
#include <irrlicht.h>

// The engine library's world is left-handed with z forward, OpenAL's right-handed with -z forward:
// mirroring z keeps x to the right and y up in both.
inline std::array<ALfloat, 3> toOpenAL(const irr::core::vector3df& vector)
{
    return {vector.X, vector.Y, -vector.Z};
}

// OpenAL rejects non-finite values, leaving the old ones in place without a word.
inline bool isFinite(const irr::core::vector3df& vector)
{
    return std::isfinite(vector.X) && std::isfinite(vector.Y) && std::isfinite(vector.Z);
}
