#pragma once

#include <AL/al.h>
#include <array>
#include <irrlicht.h>

// The engine library's world is left-handed with z forward, OpenAL's right-handed with -z forward:
// mirroring z keeps x to the right and y up in both.
inline std::array<ALfloat, 3> toOpenAL(const irr::core::vector3df& vector)
{
    return {vector.X, vector.Y, -vector.Z};
}
