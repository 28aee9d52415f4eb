#include "Entities/Camp.h"

#include "GameEngine/FontLoader.h"
#include "GameEngine/FormatWide.h"
#include "GameEngine/GameEngine.h"
#include "Scenes/BaseGameScene.h"

#include <cmath>

namespace
{
// How far the ring's fit looks for walls.
constexpr float fitReach = 100.0f;
// The core ring has the owner's colour but a red channel of 255.0, which wraps to 0x01 as a byte: the
// core stands out a little from the outer ring.
constexpr float coreRed = 255.0f;
// Rings float just above the floor, the core above the outer ring.
constexpr float ringLift = 0.1f;
constexpr float coreLift = 0.11f;
}  // namespace

Camp::Camp() : ring(std::make_unique<Circle>()), coreRing(std::make_unique<Circle>())
{
}

Camp::~Camp() = default;

bool Camp::init(BaseGameScene* scene, const irr::core::vector3df& position,
                const irr::core::vector3df& /*rotation*/, const irr::core::vector3df& scale,
                const irr::video::SColorf& color, int unitCount)
{
    this->unitCount = static_cast<irr::u16>(unitCount);
    irr::scene::IAnimatedMesh* mesh = scene->assets.mesh(meshPath, "Mesh could not be loaded");
    if (!mesh)
        return false;
    node = scene->sceneManager->addAnimatedMeshSceneNode(mesh, nullptr, -1);
    this->color = color.toSColor();
    dressModel(scene, color);
    node->setPosition(position);
    turnAtRandom(scene);
    node->setScale(scale);

    irr::video::SColorf coreColor = color;
    coreColor.r = coreRed;
    ring->create({position.X, position.Y + ringLift, position.Z}, color, startRadius);
    coreRing->create({position.X, position.Y + coreLift, position.Z}, coreColor, startCoreRadius);
    addCountLabel(scene, coreColor.toSColor());
    fitToLevel(scene);
    return true;
}

void Camp::dressModel(BaseGameScene* scene, const irr::video::SColorf& color)
{
    campMaterial.setTexture(0, scene->assets.texture(bodyTexturePath));
    campMaterial.Lighting = false;
    campMaterial.NormalizeNormals = true;
    campMaterial.DiffuseColor = irr::video::SColor(0x01000000);

    flagMaterial.setTexture(0, scene->assets.texture(flagTexturePath));
    flagMaterial.MaterialType = irr::video::EMT_TRANSPARENT_ALPHA_CHANNEL_REF;
    flagMaterial.Lighting = false;
    flagMaterial.NormalizeNormals = true;
    flagMaterial.DiffuseColor = color.toSColor();

    // The materials of the mesh the scene manager shares: camps added from now on show them.
    irr::scene::IMesh* mesh = static_cast<irr::scene::IAnimatedMeshSceneNode*>(node)->getMesh();
    if (mesh->getMeshBufferCount() > 0)
        mesh->getMeshBuffer(0)->getMaterial() = campMaterial;
    if (mesh->getMeshBufferCount() > 1)
        mesh->getMeshBuffer(1)->getMaterial() = flagMaterial;
}

void Camp::turnAtRandom(BaseGameScene* scene)
{
    RandomSource& random = scene->engine->random;
    random.seed(static_cast<std::uint32_t>(random.calendarSeconds()));
    const int tilt = random.draw() % 10 - 5;
    const int heading = random.draw() % 360 + 1;
    node->setRotation({static_cast<float>(tilt), static_cast<float>(heading), 0.0f});
}

void Camp::addCountLabel(BaseGameScene* scene, irr::video::SColor labelColor)
{
    irr::gui::IGUIFont* font = FontLoader::load(scene->guiEnvironment, labelFontPath);
    countLabel = scene->sceneManager->addTextSceneNode(font, L"", labelColor, node, {0, labelHeight, 0}, 0);
    showUnitCount();
}

void Camp::showUnitCount()
{
    if (!countLabel)
        return;
    WideText text;
    formatWide(text, L"%d", static_cast<int>(unitCount));
    countLabel->setText(text);
}

void Camp::takeOwnerColor(irr::video::SColor ownerColor)
{
    color = ownerColor;
    coreRing->setColor(ownerColor);
    ring->setColor(ownerColor);
    if (countLabel)
        countLabel->setTextColor(ownerColor);
}

void Camp::fitToLevel(BaseGameScene* scene)
{
    // Only the level's walls bound a ring: players' models carry selectors of their own, and a ray that
    // meets nothing says nothing about the room around the camp.
    irr::scene::ITriangleSelector* level = scene->levelSelector;
    if (level && ring->buffer)
    {
        irr::scene::ISceneCollisionManager* collisions = scene->sceneManager->getSceneCollisionManager();
        const irr::core::vector3df center = ring->center;
        for (irr::u32 vertex = 0; vertex < ring->buffer->getVertexCount(); ++vertex)
        {
            const irr::core::vector3df direction = (ring->buffer->Vertices[vertex].Pos - center).normalize();
            if (direction.getLengthSQ() == 0.0f)
                continue;
            irr::core::vector3df hit;
            irr::core::triangle3df triangle;
            irr::scene::ISceneNode* hitNode = nullptr;
            const irr::core::line3df ray(center, center + direction * fitReach);
            if (collisions->getCollisionPoint(ray, level, hit, triangle, hitNode))
                fullRadius = std::min(fullRadius, center.getDistanceFrom(hit));
        }
    }
    if (fullRadius <= ring->radius)
    {
        ring->radius = fullRadius;
        ring->rebuild();
    }
    targetRadius = fullRadius;
}

void Camp::updateAndDraw(double frameDelta, float /*totalTime*/, BaseGameScene* scene)
{
    moveRings(frameDelta);
    decay(frameDelta);
    ring->draw(scene);
    coreRing->draw(scene);
}

void Camp::moveRings(double frameDelta)
{
    ringTime = static_cast<float>(ringTime + frameDelta);
    if (ringTime < ringInterval)
        return;
    const float difference = ring->radius - targetRadius;
    if (difference <= -ringDeadBand || difference >= ringDeadBand)
    {
        growRing(frameDelta);
        ringTime = 0.0f;
    }
}

void Camp::growRing(double frameDelta)
{
    const float ringStep = static_cast<float>(unitCount * ringGrowth * frameDelta);
    const float coreStep = static_cast<float>(unitCount * coreGrowth * frameDelta);
    if (targetRadius < ring->radius)
    {
        ring->radius -= ringStep;
        coreRing->radius -= coreStep;
    }
    else if (targetRadius > ring->radius && ring->radius < fullRadius)
    {
        ring->radius += ringStep;
        coreRing->radius += coreStep;
    }
    else
    {
        return;
    }
    ring->rebuild();
    coreRing->rebuild();
}

void Camp::decay(double frameDelta)
{
    decayTime = static_cast<float>(decayTime + frameDelta);
    if (decayTime < decayInterval)
        return;
    decayTime = 0.0f;
    if (unitCount > decayFloor)
    {
        --unitCount;
        showUnitCount();
    }
}

irr::core::vector3df Camp::getPosition() const
{
    return node ? node->getPosition() : irr::core::vector3df();
}
