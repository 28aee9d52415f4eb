#pragma once

#include "Canvas.h"

// The texture of the dome over the arena (the game's ArenaVault): across, once around the horizon; down,
// from the top of the vault to below the horizon. Ribs meet at the top over courses of stone; lower down
// the hall's far walls open in arcades, a torch on every pillar; below the horizon its floor fades into
// the dark. Lit from the torches, so that it darkens toward the top, and seamless around.
class VaultTexture
{
public:
    static constexpr int width = 1024;
    static constexpr int height = 512;
    static constexpr int ribs = 8;
    static constexpr int arches = 16;
    // Where the ribs spring from the walls and where the arches' crowns stand, in degrees above the horizon.
    static constexpr double springLine = 30.0;
    static constexpr double archCrown = 24.0;
    static constexpr double torchHeight = 8.0;

    static Canvas paint();
    // The elevation in degrees of the texture's row at `t` (0 at the top, 1 at the bottom).
    static double elevationAt(double t);
};
