#pragma once

#include <irrlicht.h>

class AssetShelf;

// The dungeon's vault over the arena: a dome around the camera with the generated texture of the vault's
// ribs, the far arcades of the hall with their torches, and its floor, so that a place shows above the
// arena's walls, not a void. Unlike a sky, it is drawn after the arena and behind it, only where nothing
// else is: most of the screen is the arena, and each pixel costs a slow renderer alike. The clear colour
// still shows where neither is drawn.
class ArenaVault : public irr::scene::ISceneNode
{
public:
    static constexpr const char* texturePath = "../Assets/Models/vault.png";
    // The dome runs from the top of the vault to this far below the horizon, where the texture's last row
    // lies; the camera looks over the walls that little below it.
    static constexpr float degreesBelowHorizon = 18.0f;
    static constexpr float degreesAboveHorizon = 90.0f;
    static constexpr irr::u32 segmentsAround = 32;
    static constexpr irr::u32 segmentsDown = 12;
    // Within the match camera's far value, beyond everything of the arena.
    static constexpr float radius = 300.0f;

    // The dome's node, owned by the scene graph; null, with one warning, when the texture is missing: the
    // match goes on without it.
    static ArenaVault* addTo(irr::scene::ISceneManager* sceneManager, AssetShelf& assets);

    ~ArenaVault() override;
    ArenaVault(const ArenaVault&) = delete;
    ArenaVault& operator=(const ArenaVault&) = delete;

    void OnRegisterSceneNode() override;
    void render() override;
    const irr::core::aabbox3df& getBoundingBox() const override;
    irr::u32 getMaterialCount() const override;
    irr::video::SMaterial& getMaterial(irr::u32 index) override;

private:
    ArenaVault(irr::scene::ISceneManager* sceneManager, irr::video::ITexture* texture);
    void buildDome();

    irr::scene::SMeshBuffer* buffer;
};
