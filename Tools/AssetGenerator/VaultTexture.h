#pragma once

#include "Canvas.h"

// The texture of the dome over the arena (the game's ArenaVault): across, once around the horizon; down,
// from the top of the vault to below the horizon. Ribs meet at the top over courses of stone; lower down
// the hall's far walls open in arcades, a torch on every pillar; below the horizon its floor fades into
// the dark. Lit from the torches, so that it darkens toward the top, and seamless around.
class VaultTexture
{
public:
    static constexpr int width = 2048;
    static constexpr int height = 1024;
    static constexpr int ribs = 16;
    static constexpr int arches = 32;
    // Where the ribs spring from the walls and where the arches' crowns stand, in degrees above the horizon:
    // low, so that the hall reads as far away.
    static constexpr double springLine = 18.0;
    static constexpr double archCrown = 13.0;
    static constexpr double torchHeight = 4.5;

    static Canvas paint();
    // The elevation in degrees of the texture's row at `t` (0 at the top, 1 at the bottom).
    static double elevationAt(double t);
};
