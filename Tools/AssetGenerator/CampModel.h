#pragma once

#include "Canvas.h"
#include "MeshBuilder.h"

// A camp: a canvas tent on a wooden platform with a banner on a pole, in model units (the game
// scales it by 0.1 and stands it at height 1, so its base is 10 units below its origin). Two
// materials in this order, as the game addresses them: the body, then the flag, whose texture
// has an alpha channel for its cut-out.
class CampModel
{
public:
    static constexpr const char* bodyMaterial = "camp_body";
    static constexpr const char* flagMaterial = "camp_flag";
    static constexpr float baseHeight = -10.0f;

    static MeshBuilder buildMesh();
    static Canvas paintBodyTexture();
    static Canvas paintFlagTexture();
};
