#include "Scenes/ArenaVault.h"

#include "GameEngine/AssetShelf.h"

irr::scene::ISceneNode* ArenaVault::addTo(irr::scene::ISceneManager* sceneManager, AssetShelf& assets)
{
    irr::video::ITexture* texture = assets.texture(texturePath);
    if (!texture)
        return nullptr;
    // The whole texture from the top down, over a dome that reaches past the horizon.
    const float sphereShare = (degreesAboveHorizon + degreesBelowHorizon) / degreesAboveHorizon;
    return sceneManager->addSkyDomeSceneNode(texture, segmentsAround, segmentsDown, 1.0f, sphereShare,
                                             radius);
}
