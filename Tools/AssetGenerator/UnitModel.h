#pragma once

#include "Canvas.h"
#include "MeshBuilder.h"

// A free unit: a plain cube without a texture (the game lights it with its owner's colour
// through the emissive colour), in model units; the game scales it by 0.14 and stands it at
// height 1, so its lower face lies 1 / 0.14 units below its origin, on the floor.
class UnitModel
{
public:
    static constexpr float size = 8.0f;
    static constexpr float bottom = -1.0f / 0.14f;

    static MeshBuilder buildMesh();
    // The sprite of the unit's particle effect: a soft white burst of petals that fades out
    // toward its rim in colour and alpha alike, for additive and alpha blending.
    static Canvas paintParticle();
};
