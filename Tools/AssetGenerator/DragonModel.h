#pragma once

#include "Canvas.h"
#include "MeshBuilder.h"

// The human player's dragon, in model units (the game scales it by 0.1): it faces +x, the way the
// player walks at yaw 0, and its feet rest 20 units below its origin, on the floor when the game
// stands it at height 2. One material, as the game textures only material 0.
class DragonModel
{
public:
    static constexpr const char* materialName = "dragon";
    static constexpr float feetHeight = -20.0f;

    static MeshBuilder buildMesh();
    static Canvas paintTexture();
};
