#pragma once

#include <irrlicht.h>

// Checks on the engine library's vectors that sound and navigation both make on what the game hands them.
class VectorChecks
{
public:
    // No coordinate infinite or not a number.
    static bool isFinite(const irr::core::vector3df& vector);
};
