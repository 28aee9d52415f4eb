#pragma once

#include <irrlicht.h>

class AssetShelf;

// The dungeon's vault over the arena: a dome around the camera with the generated texture of the vault's
// ribs, the far arcades of the hall with their torches, and its floor, so that a place shows above the
// arena's walls, not a void. Drawn before everything, behind it, like any sky; the clear colour is
// still there where nothing is drawn.
class ArenaVault
{
public:
    static constexpr const char* texturePath = "../Assets/Models/vault.png";
    // The dome runs from the top of the vault to this far below the horizon, where the texture's last row
    // lies; the camera looks over the walls that little below it.
    static constexpr float degreesBelowHorizon = 18.0f;
    static constexpr float degreesAboveHorizon = 90.0f;
    static constexpr irr::u32 segmentsAround = 32;
    static constexpr irr::u32 segmentsDown = 12;
    // Within the match camera's far value.
    static constexpr float radius = 300.0f;

    // The dome's node; null, with one warning, when the texture is missing: the match goes on without it.
    static irr::scene::ISceneNode* addTo(irr::scene::ISceneManager* sceneManager, AssetShelf& assets);
};
