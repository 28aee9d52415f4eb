#include "Entities/BasePlayer.h"

#include "Entities/Camp.h"
#include "Entities/Unit.h"
#include "External/ISoundEngine.h"
#include "GameEngine/FontLoader.h"
#include "GameEngine/FormatWide.h"
#include "GameEngine/TextAnnouncer.h"
#include "Network/TelemetryMessage.h"
#include "Scenes/BaseGameScene.h"

BasePlayer::BasePlayer() = default;

BasePlayer::~BasePlayer() = default;

bool BasePlayer::init(BaseGameScene* scene)
{
    this->scene = scene;
    dashing = false;
    stunned = false;
    stunTime = 0.0f;
    dashTime = 0.0f;
    cooldownTime = 0.0f;
    labelFont = FontLoader::load(scene->guiEnvironment, labelFontPath);
    campThresholdBase = startingCampThreshold;
    campThreshold = startingCampThreshold;
    return true;
}

void BasePlayer::update(double frameDelta, float totalTime)
{
    sendTelemetry(totalTime);
    applyZoneSpeed(frameDelta);
    runDash(frameDelta);
    runCooldown(frameDelta);
    runStun(frameDelta);
    for (Unit* unit : units)
        unit->speed = speed;
}

void BasePlayer::sendTelemetry(float totalTime) const
{
    if (!scene->telemetryEnabled() || !TelemetryMessage::isDue(totalTime))
        return;
    std::vector<TelemetryMessage::Score> scores;
    scores.reserve(scene->players.size());
    for (const std::shared_ptr<BasePlayer>& player : scene->players)
        scores.push_back({player->id, static_cast<unsigned>(player->score)});
    scene->sendTelemetry(
        TelemetryMessage::player(id, node ? node->getPosition() : irr::core::vector3df(), scores));
}

void BasePlayer::applyZoneSpeed(double frameDelta)
{
    switch (zone)
    {
    case openGround:
        speed = static_cast<float>(openSpeed * frameDelta);
        break;
    case enemyRing:
    case enemyCore:
        speed = static_cast<float>(enemyZoneSpeed * frameDelta);
        lossTime = static_cast<float>(lossTime + frameDelta);
        if (lossTime >= lossInterval)
            loseUnit();
        break;
    case ownRing:
    case ownCore:
        speed = static_cast<float>(ownZoneSpeed * frameDelta);
        break;
    default:
        break;
    }
}

void BasePlayer::runDash(double frameDelta)
{
    if (!dashing || coolingDown)
        return;
    if (runsOut(dashTime, frameDelta, dashDuration))
    {
        dashTime = 0.0f;
        dashing = false;
        coolingDown = true;
        return;
    }
    speed = static_cast<float>(dashSpeed * frameDelta);
    dashTime = static_cast<float>(dashTime + frameDelta);
}

void BasePlayer::runCooldown(double frameDelta)
{
    if (!coolingDown)
        return;
    if (runsOut(cooldownTime, frameDelta, cooldownDuration))
    {
        cooldownTime = 0.0f;
        coolingDown = false;
        return;
    }
    cooldownTime = static_cast<float>(cooldownTime + frameDelta);
}

void BasePlayer::runStun(double frameDelta)
{
    heldByStun = stunned;
    if (!stunned)
        return;
    // The update that ends the stun still holds the player.
    speed = 0.0f;
    if (runsOut(stunTime, frameDelta, stunDuration))
    {
        stunTime = 0.0f;
        stunned = false;
        return;
    }
    stunTime = static_cast<float>(stunTime + frameDelta);
}

bool BasePlayer::runsOut(float elapsed, double frameDelta, float duration)
{
    return elapsed + frameDelta > duration;
}

bool BasePlayer::campAction()
{
    switch (zone)
    {
    case openGround:
        return foundCamp();
    case enemyCore:
        captureCamp();
        return true;
    case ownCore:
        reinforceCamp();
        return true;
    default:
        return false;
    }
}

bool BasePlayer::foundCamp()
{
    if (units.empty())
    {
        // Refused for anyone, flat: the player at the keyboard hears an orc's refusal too.
        announce(L"You need at least one unit to create a camp!", irr::video::SColor(red));
        scene->soundEngine->play2D(failedCampSound);
        return false;
    }
    scene->soundEngine->play2D(createCampSound);
    const irr::core::vector3df position = node->getPosition();
    return scene->createCamp({position.X, 1.0f, position.Z}, {0, 0, 0}, {0.1f, 0.1f, 0.1f}, this) != nullptr;
}

void BasePlayer::captureCamp()
{
    Camp* camp = zoneCamp;
    if (!camp)
        return;
    const int lead = static_cast<int>(units.size()) - camp->unitCount;
    if (lead > 0)
    {
        if (scene->isHumanId(camp->ownerId))
        {
            WideText text;
            formatWide(text, L"Player %d captured your camp!", id + 1);
            announce(text, color.toSColor());
            scene->soundEngine->play2D(lostCampSound);
        }
        scene->soundEngine->play2D(captureCampSound);
        camp->unitCount = static_cast<irr::u16>(lead);
        camp->showUnitCount();
        camp->ownerId = id;
        camp->takeOwnerColor(color.toSColor());
        ++campsCaptured;
    }
    else
    {
        camp->unitCount = static_cast<irr::u16>(camp->unitCount - units.size());
        camp->showUnitCount();
    }
    absorbUnits();
}

void BasePlayer::reinforceCamp()
{
    Camp* camp = zoneCamp;
    if (!camp)
        return;
    const int total = camp->unitCount + static_cast<int>(units.size());
    if (total < 1)
        return;
    camp->unitCount = static_cast<irr::u16>(total);
    camp->showUnitCount();
    absorbUnits();
    if (isHuman())
        announce(L"You reinforced your base!", irr::video::SColor(yellow));
    playEventSound(reinforceCampSound);
}

void BasePlayer::absorbUnits()
{
    absorbUnitsInto(zoneCamp ? zoneCamp->node : nullptr);
}

void BasePlayer::absorbUnitsInto(irr::scene::ISceneNode* campNode)
{
    while (!units.empty())
    {
        units.back()->absorbInto(campNode);
        units.pop_back();
    }
}

void BasePlayer::loseUnit()
{
    if (!units.empty() && zoneCamp)
    {
        Unit* oldest = units.front();
        oldest->absorbInto(zoneCamp->node);
        oldest->setGlow(zoneCamp->color);
        ++zoneCamp->unitCount;
        zoneCamp->showUnitCount();
        units.erase(units.begin());
        if (isHuman())
            announce(L"You lost one unit!", irr::video::SColor(red));
        playEventSound(lostUnitSound);
    }
    lossTime = 0.0f;
}

void BasePlayer::stun()
{
    const bool human = isHuman();
    while (!units.empty())
    {
        units.back()->scatter();
        units.pop_back();
        if (human)
            announce(L"Ouch!", irr::video::SColor(red));
    }
    playEventSound(stunnedSound);
    stunned = true;
}

bool BasePlayer::addModel(const char* meshPath, const char* what, const irr::core::vector3df& position,
                          const irr::core::vector3df& scale)
{
    irr::scene::IAnimatedMesh* mesh = scene->assets.mesh(
        meshPath, std::string("The ") + what + "'s model could not be loaded: " + meshPath);
    if (!mesh)
        return false;
    node = scene->sceneManager->addAnimatedMeshSceneNode(mesh, nullptr, -1);
    node->setScale(scale);
    node->setPosition(position);
    return true;
}

irr::video::SMaterial BasePlayer::modelMaterialWith(const char* texturePath) const
{
    irr::video::SMaterial material;
    material.setTexture(0, scene->assets.texture(texturePath));
    material.Lighting = false;
    material.NormalizeNormals = true;
    material.DiffuseColor = irr::video::SColor(0x01000000);
    return material;
}

bool BasePlayer::isHuman() const
{
    return scene->isHumanId(id);
}

void BasePlayer::playEventSound(const char* file) const
{
    if (isHuman())
        scene->soundEngine->play2D(file);
    else
        scene->soundEngine->play3D(file, node ? node->getPosition() : irr::core::vector3df());
}

void BasePlayer::announce(const wchar_t* text, irr::video::SColor color) const
{
    if (scene->announcer)
        scene->announcer->announce(text, color);
}
