#pragma once

#include "Canvas.h"
#include "MeshBuilder.h"

// The computer players' orc, in model units (the game scales it by 0.1): a stocky humanoid with
// an axe, facing +x, its feet 30 units below its origin, on the floor when the game stands it at
// height 3. Two materials, both textured from the one texture: the game sets materials 0 (skin)
// and 1 (gear) alike.
class OrcModel
{
public:
    static constexpr const char* skinMaterial = "orc_skin";
    static constexpr const char* gearMaterial = "orc_gear";
    static constexpr float feetHeight = -30.0f;

    static MeshBuilder buildMesh();
    static Canvas paintTexture();
};
