#include "Scenes/BaseGameScene.h"

#include "AI/AIPlayer.h"
#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "External/AIWorld.h"
#include "External/ISoundEngine.h"
#include "GameEngine/Console.h"
#include "GameEngine/EventReceiver.h"
#include "GameEngine/FontLoader.h"
#include "GameEngine/FormatWide.h"
#include "GameEngine/GameEngine.h"
#include "GameEngine/ScreenScale.h"
#include "GameEngine/TextAnnouncer.h"
#include "Network/TelemetryMessage.h"
#include "Scenes/StartScene.h"

#include <algorithm>
#include <limits>

namespace
{
constexpr float noBorder = std::numeric_limits<float>::infinity();
}  // namespace

BaseGameScene::BaseGameScene() = default;

BaseGameScene::~BaseGameScene()
{
    aiWorld.reset();
}

bool BaseGameScene::init()
{
    levelSelector = nullptr;
    assets = AssetShelf(device);
    soundEngine = createSoundEngine();
    if (engine)
        soundEngine->setGains(engine->getPlayerSettings().musicGain(),
                              engine->getPlayerSettings().effectsGain());
    eventReceiver = std::make_shared<EventReceiver>();
    device->setEventReceiver(eventReceiver.get());
    fillPlayerColors();
    aiWorld = createWorld();
    if (!aiWorld || !aiWorld->init())
        return false;
    announcer = std::make_shared<TextAnnouncer>();
    announcer->init(this);
    entities.push_back(announcer);
    font = FontLoader::load(guiEnvironment, matchFontPath);
    announcementState = nothingSaid;
    startSceneClock();
    return true;
}

ISoundEngine* BaseGameScene::createSoundEngine()
{
    if (engine)
        return engine->openSoundEngine();
    return createIrrKlangDevice(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.5.0");
}

std::shared_ptr<irr::AI::AIWorld> BaseGameScene::createWorld()
{
    return std::make_shared<irr::AI::AIWorld>();
}

void BaseGameScene::fillPlayerColors()
{
    playerColors = {
        {1.0f, 1.0f, 1.0f, 0.5f},    {1.0f, 0.0f, 0.0f, 1.0f},  {0.49f, 0.82f, 0.1f, 1.0f},
        {0.32f, 0.16f, 0.54f, 1.0f}, {1.0f, 0.24f, 0.0f, 1.0f}, {1.0f, 0.74f, 0.0f, 1.0f},
        {0.16f, 0.32f, 0.6f, 1.0f},  {0.1f, 0.2f, 0.1f, 1.0f},  {0.4f, 0.3f, 0.2f, 1.0f},
        {0.9f, 0.9f, 0.1f, 1.0f},    {0.3f, 0.86f, 0.4f, 1.0f}, {0.16f, 0.32f, 0.25f, 1.0f},
        {0.16f, 0.9f, 0.9f, 1.0f},
    };
}

void BaseGameScene::createHumanPlayer(const irr::core::vector3df& position,
                                      const irr::core::vector3df& rotation, const irr::core::vector3df& scale)
{
    if (humanPlayer)
    {
        Console::warning("Attempt to create a new human player, while there already is one.");
        return;
    }
    humanPlayer = std::make_shared<HumanPlayer>();
    if (!humanPlayer->init(this, position, rotation, scale))
    {
        Console::warning("Could not create human player.");
        return;
    }
    humanPlayer->color = playerColors[0];
    if (engine)
        humanPlayer->mouseSensitivity = static_cast<float>(engine->getPlayerSettings().mouseSensitivity);
    players.push_back(humanPlayer);
    entities.push_back(humanPlayer);
    Console::message("Human Player is created.");
}

void BaseGameScene::createAIPlayer(const irr::core::vector3df& position, const irr::core::vector3df& rotation,
                                   const irr::core::vector3df& scale, int id)
{
    auto player = std::make_shared<AIPlayer>();
    const std::size_t colorIndex = players.size() + 1;
    if (colorIndex < playerColors.size())
        player->color = playerColors[colorIndex];
    else
        Console::warning("WHOOPS, WE NEED MORE COLORS.");
    // A failed initialisation has said why, once for all orcs: the missing model.
    if (!player->init(this, position, rotation, scale, id))
        return;
    players.push_back(player);
    aiPlayers.push_back(player);
    entities.push_back(player);
    // Orcs bump into the dragon; a dragon without a model gives them nothing to bump into.
    auto* dragon =
        humanPlayer ? static_cast<irr::scene::IAnimatedMeshSceneNode*>(humanPlayer->node) : nullptr;
    if (dragon)
        player->setupCollision(dragon, dragon->getMesh());
    Console::message("AI player is created. Number of players: " + std::to_string(players.size()));
}

void BaseGameScene::createUnit(const irr::core::vector3df& position, const irr::core::vector3df& rotation,
                               const irr::core::vector3df& scale)
{
    auto unit = std::make_shared<Unit>();
    if (!unit->init(this, position, rotation, scale))
    {
        Console::warning("Could not create unit");
        return;
    }
    units.push_back(unit);
    entities.push_back(unit);
}

Camp* BaseGameScene::createCamp(const irr::core::vector3df& position, const irr::core::vector3df& rotation,
                                const irr::core::vector3df& scale, BasePlayer* creator)
{
    auto camp = std::make_shared<Camp>();
    if (!creator)
    {
        camp->ownerId = Camp::noOwner;
        camp->init(this, position, rotation, scale, irr::video::SColorf(0, 0, 0, 0), 0);
        return nullptr;
    }
    // A camp model that failed to load once will not load now: say so once, not every time a player tries.
    if (campModelMissing)
        return nullptr;
    camp->ownerId = creator->id;
    if (!camp->init(this, position, rotation, scale, creator->color, static_cast<int>(creator->units.size())))
    {
        Console::warning("Could not create camp");
        campModelMissing = true;
        return nullptr;
    }
    camps.push_back(camp);
    ++creator->campsFounded;
    creator->absorbUnitsInto(camp->node);
    if (!isHumanId(creator->id))
    {
        WideText text;
        formatWide(text, L"Player %d created a camp!", creator->id + 1);
        announcer->announce(text, creator->color.toSColor());
    }
    return camp.get();
}

void BaseGameScene::update()
{
    refreshSceneTime();
    const std::wstring caption = L"FPS: " + std::to_wstring(driver->getFPS());
    device->setWindowCaption(caption.c_str());
    for (const std::shared_ptr<BasePlayer>& player : players)
        player->score = 0;
    resolveCampBorders();
    updatePlayerZones();
    updateScores();
    for (const std::shared_ptr<BaseEntity>& entity : entities)
        entity->update(frameDelta, totalTime);
    sendStats();
    detectDashHits();
    updateListener();
}

void BaseGameScene::resolveCampBorders()
{
    borderTargets.assign(camps.size(), noBorder);
    for (std::size_t p = 0; p < camps.size(); ++p)
    {
        for (std::size_t q = 0; q < camps.size(); ++q)
        {
            if (p == q)
                continue;
            Camp& first = *camps[p];
            Camp& second = *camps[q];
            const float distance = first.getPosition().getDistanceFrom(second.getPosition());
            if (first.ring->radius + second.ring->radius < distance)
            {
                first.targetRadius = first.fullRadius;
                second.targetRadius = second.fullRadius;
                continue;
            }
            const float unitsOfBoth =
                static_cast<float>(first.unitCount) + static_cast<float>(second.unitCount);
            // Two empty camps split the ground evenly.
            const float firstShare = unitsOfBoth > 0.0f
                                         ? distance * static_cast<float>(first.unitCount) / unitsOfBoth
                                         : distance / 2.0f;
            borderTargets[p] = std::min(borderTargets[p], firstShare);
            borderTargets[q] = std::min(borderTargets[q], distance - firstShare);
        }
    }
    for (std::size_t index = 0; index < camps.size(); ++index)
        if (borderTargets[index] != noBorder)
            camps[index]->targetRadius = borderTargets[index];
}

void BaseGameScene::updatePlayerZones()
{
    for (const std::shared_ptr<BasePlayer>& player : players)
        player->inRing = false;
    for (const std::shared_ptr<Camp>& camp : camps)
    {
        const irr::core::vector3df campPosition = camp->getPosition();
        for (const std::shared_ptr<BasePlayer>& player : players)
        {
            if (!player->node)
                continue;
            const float distance = campPosition.getDistanceFrom(player->node->getPosition());
            if (camp->ring->radius >= distance)
            {
                const bool inCore = camp->coreRing->radius >= distance;
                player->zoneCamp = camp.get();
                if (camp->ownerId != player->id)
                    player->zone = inCore ? BasePlayer::enemyCore : BasePlayer::enemyRing;
                else
                    player->zone = inCore ? BasePlayer::ownCore : BasePlayer::ownRing;
                player->inRing = true;
            }
            else if (!player->inRing)
            {
                player->zone = BasePlayer::openGround;
                player->zoneCamp = nullptr;
            }
        }
    }
}

void BaseGameScene::updateScores()
{
    for (const std::shared_ptr<BasePlayer>& player : players)
        player->score = 0;
    for (const std::shared_ptr<Camp>& camp : camps)
    {
        const float radius = camp->ring->radius;
        const auto area = static_cast<irr::s32>(radius * radius * areaFactor);
        for (const std::shared_ptr<BasePlayer>& player : players)
            if (camp->ownerId == player->id)
                player->score += area;
    }
}

void BaseGameScene::sendStats() const
{
    if (!telemetryEnabled() || !TelemetryMessage::isDue(totalTime))
        return;
    const auto freeUnits = std::count_if(units.begin(), units.end(),
                                         [](const std::shared_ptr<Unit>& unit) { return !unit->following; });
    sendTelemetry(TelemetryMessage::stats(driver->getFPS(), totalTime, static_cast<unsigned>(camps.size()),
                                          static_cast<int>(freeUnits)));
}

void BaseGameScene::detectDashHits()
{
    for (const std::shared_ptr<BasePlayer>& dasher : players)
    {
        for (const std::shared_ptr<BasePlayer>& other : players)
        {
            if (dasher == other || !dasher->node || !other->node)
                continue;
            const irr::core::aabbox3df a = dasher->node->getTransformedBoundingBox();
            const irr::core::aabbox3df b = other->node->getTransformedBoundingBox();
            const bool touch = b.MaxEdge.X >= a.MinEdge.X && a.MaxEdge.X >= b.MinEdge.X &&
                               b.MaxEdge.Y >= a.MinEdge.Y && a.MaxEdge.Y >= b.MinEdge.Y &&
                               b.MaxEdge.Z >= a.MinEdge.Z && a.MaxEdge.Z >= b.MinEdge.Z;
            if (!touch || !dasher->dashing)
                continue;
            dasher->dashTime = 0.0f;
            dasher->coolingDown = true;
            dasher->dashing = false;
            other->stun();
        }
    }
}

void BaseGameScene::updateListener()
{
    irr::scene::ICameraSceneNode* camera = sceneManager->getActiveCamera();
    if (!soundEngine || !camera)
        return;
    // The ears face where the camera looks: its target minus its position, not its rotation. The dragon
    // steers the camera by its target, so the camera's rotation stays zero for the whole match, and a
    // listener turned by it would face one way however the player looks around.
    const irr::core::vector3df lookDirection = camera->getTarget() - camera->getPosition();
    soundEngine->setListenerPosition(camera->getPosition(), lookDirection, {0, 0, 0}, {0, 1, 0});
}

void BaseGameScene::draw()
{
    sceneManager->drawAll();
    // The rings lie on the floor with the rest of the arena, under everything drawn flat on the screen.
    for (const std::shared_ptr<Camp>& camp : camps)
        camp->updateAndDraw(frameDelta, totalTime, this);
    const irr::core::dimension2du screen = driver->getScreenSize();
    drawScoreBar(screen);
    announceTheEnd(drawClock(screen));
    if (announcer)
        announcer->draw(frameDelta, totalTime);
    // Last, so that what the match shows in its GUI (the results, the match menu) lies over its display.
    guiEnvironment->drawAll();
    ++frameCount;
    if (matchOver)
        returnToMenu();
}

float BaseGameScene::weightOf(const BasePlayer& player)
{
    return player.score < leastWeight ? leastWeight : static_cast<float>(player.score);
}

BasePlayer* BaseGameScene::leader() const
{
    BasePlayer* best = nullptr;
    for (const std::shared_ptr<BasePlayer>& player : players)
        if (!best || weightOf(*player) > weightOf(*best))
            best = player.get();
    return best;
}

void BaseGameScene::drawScoreBar(const irr::core::dimension2du& screen)
{
    const auto width = static_cast<float>(screen.Width);
    const auto bottom = static_cast<irr::s32>(screen.Height);
    const irr::s32 top = scoreBarTop(screen);
    float total = 0.0f;
    for (const std::shared_ptr<BasePlayer>& player : players)
        total += weightOf(*player);
    float x = 0.0f;
    for (const std::shared_ptr<BasePlayer>& player : players)
    {
        player->draw(frameDelta, totalTime);
        const float share = weightOf(*player) / total * width;
        irr::video::SColor color = player->color.toSColor();
        color.setAlpha(barAlpha);
        const irr::core::rect<irr::s32> part(static_cast<irr::s32>(x), top, static_cast<irr::s32>(x + share),
                                             bottom);
        driver->draw2DRectangle(color, part);
        driver->draw2DRectangleOutline(part, irr::video::SColor(outlineColor));
        x += share;
    }
    // The strip spans the whole bar on screens wider than it, too.
    const irr::s32 stripWidth = std::max(barStripWidth, static_cast<irr::s32>(screen.Width));
    driver->draw2DRectangleOutline({0, top, stripWidth, bottom}, irr::video::SColor(outlineColor));
}

irr::core::recti BaseGameScene::clockBox(const irr::core::dimension2du& screen)
{
    const auto middle = static_cast<irr::s32>(screen.Width / 2);
    // The box grows with the clock's font on tall screens.
    const irr::s32 halfWidth = ScreenScale::scaled(clockHalfWidth, screen.Height);
    return {middle - halfWidth, 0, middle + halfWidth, ScreenScale::scaled(barHeight, screen.Height)};
}

irr::s32 BaseGameScene::scoreBarTop(const irr::core::dimension2du& screen)
{
    return static_cast<irr::s32>(screen.Height) - ScreenScale::scaled(barHeight, screen.Height);
}

int BaseGameScene::drawClock(const irr::core::dimension2du& screen)
{
    const auto secondsLeft = static_cast<int>(matchLength / 1000.0f - sceneTime / 1000.0f);
    // Once the results are up the clock would count on below zero.
    if (result)
        return secondsLeft;
    const irr::core::recti box = clockBox(screen);
    driver->draw2DRectangle(irr::video::SColor(clockFillColor), box);
    driver->draw2DRectangleOutline(box, irr::video::SColor(outlineColor));
    if (font)
    {
        WideText text;
        formatWide(text, L"Time left: %d", secondsLeft);
        const irr::s32 textTop = ScreenScale::scaled(clockTextTop, screen.Height);
        font->draw(text, {0, textTop, static_cast<irr::s32>(screen.Width), textTop + box.getHeight()},
                   irr::video::SColor(clockTextColor), true, false, nullptr);
    }
    return secondsLeft;
}

void BaseGameScene::announceTheEnd(int secondsLeft)
{
    if (sceneTime > matchLength)
    {
        if (announcementState == warningGiven)
        {
            announcementState = winnerAnnounced;
            result = MatchStandings::of(*this);
            // A match whose every player failed to come has nobody to name.
            if (const BasePlayer* winner = leader())
            {
                WideText text;
                formatWide(text, L"Player: %d won!", winner->id);
                announcer->announce(text, winner->color.toSColor());
            }
        }
        if (sceneTime - returnDelay > matchLength)
            matchOver = true;
    }
    if (secondsLeft < warningSeconds && announcementState == nothingSaid)
    {
        announcementState = warningGiven;
        announcer->announce(L"Only 10 seconds left!", irr::video::SColor(0));
    }
}

void BaseGameScene::returnToMenu()
{
    auto menu = std::make_unique<StartScene>();
    menu->lastMatch = result;
    // The change retires this scene: nothing of it is touched afterwards.
    engine->changeScene(std::move(menu));
}

void BaseGameScene::exit()
{
    for (const std::shared_ptr<BaseEntity>& entity : entities)
        entity->exit();
    entities.clear();
    camps.clear();
    players.clear();
    aiPlayers.clear();
    if (soundEngine)
        soundEngine->drop();
    soundEngine = nullptr;
    sceneManager->clear();
}

std::shared_ptr<HumanPlayer> BaseGameScene::getHumanPlayer() const
{
    return humanPlayer;
}

std::vector<std::shared_ptr<BasePlayer>> BaseGameScene::getPlayers() const
{
    return players;
}

std::vector<std::shared_ptr<Camp>> BaseGameScene::getCamps() const
{
    return camps;
}

std::shared_ptr<irr::AI::AIWorld> BaseGameScene::getAIWorld() const
{
    return aiWorld;
}

irr::AI::AINavigationMesh* BaseGameScene::walkableFloor() const
{
    return aiWorld ? aiWorld->getNavigationMesh() : nullptr;
}

bool BaseGameScene::isHumanId(irr::s32 id) const
{
    return humanPlayer && humanPlayer->id == id;
}

bool BaseGameScene::telemetryEnabled() const
{
    return engine && engine->telemetryEnabled;
}

void BaseGameScene::sendTelemetry(const std::string& message) const
{
    if (telemetryEnabled())
        engine->sendTelemetry(message);
}
