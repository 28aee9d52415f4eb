#include "Scenes/ArenaVault.h"

#include "GameEngine/AssetShelf.h"

#include <cmath>

namespace
{
constexpr float degreesToRadians = 0.017453292f;
// Transparent nodes are drawn farthest first: from this far off the vault comes before them all, after
// every solid node, so that the depth test keeps it behind the arena.
constexpr float sortingDistance = 1.0e6f;
}  // namespace

ArenaVault* ArenaVault::addTo(irr::scene::ISceneManager* sceneManager, AssetShelf& assets)
{
    irr::video::ITexture* texture = assets.texture(texturePath);
    if (!texture)
        return nullptr;
    auto* vault = new ArenaVault(sceneManager, texture);
    // The scene graph holds it from here on.
    vault->drop();
    return vault;
}

ArenaVault::ArenaVault(irr::scene::ISceneManager* sceneManager, irr::video::ITexture* texture)
    : ISceneNode(sceneManager->getRootSceneNode(), sceneManager, -1), buffer(new irr::scene::SMeshBuffer())
{
    setAutomaticCulling(irr::scene::EAC_OFF);
    irr::video::SMaterial& material = buffer->Material;
    material.Lighting = false;
    material.ZWriteEnable = false;
    material.ZBuffer = irr::video::ECFN_LESSEQUAL;
    material.BackfaceCulling = false;
    // The texture is always drawn larger than it is: point sampling and no smaller copies cost a software
    // renderer least, and look alike in the vault's dark stone.
    material.setFlag(irr::video::EMF_BILINEAR_FILTER, false);
    material.UseMipMaps = false;
    material.setTexture(0, texture);
    buildDome();
}

ArenaVault::~ArenaVault()
{
    buffer->drop();
}

void ArenaVault::buildDome()
{
    // Rings of vertices from the top down, each once around with its seam vertex twice; the texture across
    // once around, down from its first row at the top to its last below the horizon.
    const float reach = degreesAboveHorizon + degreesBelowHorizon;
    for (irr::u32 around = 0; around <= segmentsAround; ++around)
    {
        const float s = static_cast<float>(around) / static_cast<float>(segmentsAround);
        const float azimuth = s * 360.0f * degreesToRadians;
        for (irr::u32 down = 0; down <= segmentsDown; ++down)
        {
            const float t = static_cast<float>(down) / static_cast<float>(segmentsDown);
            const float elevation = (degreesAboveHorizon - t * reach) * degreesToRadians;
            const irr::core::vector3df position(radius * std::cos(elevation) * std::sin(azimuth),
                                                radius * std::sin(elevation),
                                                radius * std::cos(elevation) * std::cos(azimuth));
            buffer->Vertices.push_back(irr::video::S3DVertex(position,
                                                             -(irr::core::vector3df(position).normalize()),
                                                             irr::video::SColor(255, 255, 255, 255), {s, t}));
        }
    }
    const irr::u32 column = segmentsDown + 1;
    for (irr::u32 around = 0; around < segmentsAround; ++around)
        for (irr::u32 down = 0; down < segmentsDown; ++down)
        {
            const auto first = static_cast<irr::u16>(around * column + down);
            const auto next = static_cast<irr::u16>(first + column);
            for (const irr::u16 index : {first, next, static_cast<irr::u16>(first + 1), next,
                                         static_cast<irr::u16>(next + 1), static_cast<irr::u16>(first + 1)})
                buffer->Indices.push_back(index);
        }
    buffer->recalculateBoundingBox();
}

void ArenaVault::OnRegisterSceneNode()
{
    if (!IsVisible)
        return;
    if (irr::scene::ICameraSceneNode* camera = SceneManager->getActiveCamera())
    {
        setPosition(camera->getAbsolutePosition() + irr::core::vector3df(0, sortingDistance, 0));
        updateAbsolutePosition();
    }
    SceneManager->registerNodeForRendering(this, irr::scene::ESNRP_TRANSPARENT);
    ISceneNode::OnRegisterSceneNode();
}

void ArenaVault::render()
{
    irr::scene::ICameraSceneNode* camera = SceneManager->getActiveCamera();
    irr::video::IVideoDriver* driver = SceneManager->getVideoDriver();
    if (!camera || !driver)
        return;
    // Around the camera wherever it goes, as far off as the hall.
    irr::core::matrix4 around;
    around.setTranslation(camera->getAbsolutePosition());
    driver->setTransform(irr::video::ETS_WORLD, around);
    driver->setMaterial(buffer->Material);
    driver->drawMeshBuffer(buffer);
}

const irr::core::aabbox3df& ArenaVault::getBoundingBox() const
{
    return buffer->getBoundingBox();
}

irr::u32 ArenaVault::getMaterialCount() const
{
    return 1;
}

irr::video::SMaterial& ArenaVault::getMaterial(irr::u32 /*index*/)
{
    return buffer->Material;
}
