#include "Entities/Unit.h"

#include "Entities/BasePlayer.h"
#include "Entities/HumanPlayer.h"
#include "External/AIWorld.h"
#include "External/ISoundEngine.h"
#include "GameEngine/GameEngine.h"
#include "Scenes/BaseGameScene.h"

Unit::Unit() = default;

Unit::~Unit() = default;

bool Unit::init(BaseGameScene* scene, const irr::core::vector3df& position,
                const irr::core::vector3df& /*rotation*/, const irr::core::vector3df& scale)
{
    irr::scene::IAnimatedMesh* mesh = scene->assets.mesh(meshPath, "Mesh could not be loaded");
    if (!mesh)
        return false;
    this->scene = scene;
    node = scene->sceneManager->addAnimatedMeshSceneNode(mesh, nullptr, -1);
    node->setPosition(position);
    node->setScale(scale);
    addEffect();
    node->getMaterial(0).EmissiveColor = irr::video::SColor(unownedGlow);
    following = false;
    absorbed = false;
    return true;
}

void Unit::addEffect()
{
    irr::scene::ISceneManager* sceneManager = scene->sceneManager;
    effect = sceneManager->addParticleSystemSceneNode(false, nullptr, -1);
    irr::scene::IParticleEmitter* emitter =
        effect->createBoxEmitter(irr::core::aabbox3df(-15, 0, -15, 15, 1, 15), {0.0f, 0.01f, 0.0f}, 80, 100,
                                 irr::video::SColor(0x00FFFFFF), irr::video::SColor(0x00000000), 100, 500, 0,
                                 {1.0f, 1.0f}, {3.0f, 3.0f});
    effect->setEmitter(emitter);
    emitter->drop();
    irr::scene::IParticleAffector* fadeOut =
        effect->createFadeOutParticleAffector(irr::video::SColor(0), 1000);
    effect->addAffector(fadeOut);
    fadeOut->drop();
    effect->setParent(node);
    effect->setScale({0.1f, 0.1f, 0.1f});
    effect->setMaterialFlag(irr::video::EMF_LIGHTING, false);
    effect->setMaterialFlag(irr::video::EMF_ZWRITE_ENABLE, false);
    effect->setMaterialTexture(0, scene->assets.texture(particleTexturePath));
    effect->setMaterialType(irr::video::EMT_TRANSPARENT_ADD_COLOR);
}

void Unit::update(double /*frameDelta*/, float /*totalTime*/)
{
    effect->setVisible(false);
    if (following)
        follow();
    else
        waitForAPlayer();
}

void Unit::follow()
{
    if (absorbed || !target)
        return;
    const irr::core::vector3df position = node->getPosition();
    irr::core::vector3df way = target->getPosition() - position;
    if (way.getLength() <= standstill)
        return;
    way.normalize();
    node->setPosition(position + way * speed);
}

void Unit::waitForAPlayer()
{
    const std::shared_ptr<HumanPlayer> human = scene->getHumanPlayer();
    if (human && withinReach(human.get()))
    {
        pickUp(human.get());
        return;
    }
    // One owner only: two computer players reaching the unit in one frame do not both get it.
    for (const std::shared_ptr<BasePlayer>& player : scene->players)
    {
        if (withinReach(player.get()))
        {
            pickUp(player.get());
            return;
        }
    }
}

bool Unit::withinReach(const BasePlayer* player) const
{
    return player->node && node->getPosition().getDistanceFrom(player->node->getPosition()) <= reach;
}

void Unit::pickUp(BasePlayer* player)
{
    following = true;
    owner = player;
    player->units.push_back(this);
    if (player->units.size() >= 2)
        player->units[player->units.size() - 2]->target = node;
    target = player->node;
    if (player->isHuman())
        scene->soundEngine->play2D(pickupSoundPath);
    else
        scene->soundEngine->play3D(pickupSoundPath, getPosition());
    setGlow(player->color.toSColor());
}

void Unit::setGlow(irr::video::SColor color)
{
    irr::scene::IParticleEmitter* emitter = effect->getEmitter();
    if (emitter)
    {
        emitter->setMaxStartColor(color);
        emitter->setMinStartColor(color);
    }
    node->getMaterial(0).EmissiveColor = color;
}

void Unit::scatter()
{
    following = false;
    target = nullptr;
    setGlow(irr::video::SColor(unownedGlow));
    const irr::core::vector3df position = node->getPosition();
    const int stepX = scatterStep();
    const int stepZ = scatterStep();
    const irr::core::vector3df thrownTo(position.X + static_cast<float>(stepX), scatteredHeight,
                                        position.Z + static_cast<float>(stepZ));
    node->setPosition(thrownTo);
    const irr::AI::AINavigationMesh* floor = scene->walkableFloor();
    if (floor && floor->isPointInsideNavigationMesh(thrownTo))
        return;
    node->setPosition({thrownTo.X, thrownOffHeight, thrownTo.Z});
    following = true;
    absorbed = true;
}

int Unit::scatterStep()
{
    // A whole number from 0 to 15: units are only ever thrown toward larger x and z.
    return (scene->engine->random.draw() % 150 + 1) / 10;
}

void Unit::absorbInto(irr::scene::ISceneNode* camp)
{
    target = camp;
    absorbed = true;
    const irr::core::vector3df position = node->getPosition();
    node->setPosition({position.X, absorbedHeight, position.Z});
}

void Unit::returnToPlay(const irr::core::vector3df& spot)
{
    node->setPosition(spot);
    following = false;
    absorbed = false;
    setGlow(irr::video::SColor(unownedGlow));
    target = nullptr;
}

irr::core::vector3df Unit::getPosition() const
{
    return node->getPosition();
}
