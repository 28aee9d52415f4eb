#include "AI/FetchingState.h"

#include "AI/AIPlayer.h"
#include "AI/CaptureBaseState.h"
#include "AI/CreateBaseState.h"
#include "AI/ReinforceState.h"
#include "Entities/Camp.h"
#include "Entities/Unit.h"
#include "External/ISoundEngine.h"
#include "GameEngine/Console.h"
#include "Scenes/BaseGameScene.h"

void FetchingState::start(AIPlayer* player)
{
    playerRange = player->parameters.rivalRange;
    captureRange = player->parameters.captureRange;
    Console::message("Fetching State Started, Player = " + std::to_string(player->id));
}

void FetchingState::update(AIPlayer* player)
{
    if (Camp* camp = campToCapture(player))
    {
        player->changeState(std::make_unique<CaptureBaseState>(camp));
        return;
    }
    const int followers = static_cast<int>(player->units.size());
    if (followers > player->campThreshold && player->mayFoundCamp())
    {
        player->changeState(std::make_unique<CreateBaseState>());
        return;
    }
    const NearPlayers near = lookAtOtherPlayers(player);
    if (near.rival && !player->coolingDown)
        dashAt(player, *near.rival);

    // From here on this state may have handed over: only the player's data is used.
    bool ownCampChosen = false;
    if (near.weakerNear)
    {
        if (Camp* camp = nearestOwnCamp(player))
        {
            ownCampChosen = true;
            player->changeState(std::make_unique<ReinforceState>(camp));
        }
    }
    const bool holdForCamp = followers == player->campThreshold && near.weakerNear && ownCampChosen;
    if (!holdForCamp)
    {
        Unit* unit = nearestFreeUnit(player);
        if (unit && !player->moving)
            player->walkTo(unit->getPosition());
    }
    if (player->moving)
        player->stepTowardWaypoint([player] { player->moving = false; });
}

Camp* FetchingState::campToCapture(const AIPlayer* player) const
{
    const irr::core::vector3df position = player->node->getPosition();
    const auto followers = static_cast<int>(player->units.size());
    for (const std::shared_ptr<Camp>& camp : player->scene->camps)
    {
        if (camp->ownerId == player->id)
            continue;
        if (camp->getPosition().getDistanceFrom(position) <= captureRange &&
            followers > camp->unitCount + player->parameters.captureMargin)
            return camp.get();
    }
    return nullptr;
}

FetchingState::NearPlayers FetchingState::lookAtOtherPlayers(const AIPlayer* player) const
{
    NearPlayers near;
    if (player->units.empty())
        return near;
    const bool enoughToReinforce =
        static_cast<int>(player->units.size()) >= player->parameters.fewestUnitsToReinforce;
    const irr::core::vector3df position = player->node->getPosition();
    for (const std::shared_ptr<BasePlayer>& other : player->scene->players)
    {
        if (!other->node || other->node == player->node ||
            other->node->getPosition().getDistanceFrom(position) > playerRange)
            continue;
        near.weakerNear = enoughToReinforce;
        if (other->units.size() >= player->units.size())
        {
            near.rival = other.get();
            near.weakerNear = false;
        }
    }
    return near;
}

void FetchingState::dashAt(AIPlayer* player, const BasePlayer& rival)
{
    // Renewed every frame while the rival stays near: the path follows it, and so does the sound.
    player->walkTo(rival.node->getPosition());
    player->dashing = true;
    player->scene->soundEngine->play3D(AIPlayer::skillShotSound, player->node->getPosition());
}

Camp* FetchingState::nearestOwnCamp(const AIPlayer* player)
{
    const irr::core::vector3df position = player->node->getPosition();
    Camp* nearest = nullptr;
    float best = player->parameters.ownCampReach;
    for (const std::shared_ptr<Camp>& camp : player->scene->camps)
    {
        if (camp->ownerId != player->id)
            continue;
        const float distance = camp->getPosition().getDistanceFrom(position);
        if (distance <= best)
        {
            best = distance;
            nearest = camp.get();
        }
    }
    return nearest;
}

Unit* FetchingState::nearestFreeUnit(const AIPlayer* player)
{
    const irr::core::vector3df position = player->node->getPosition();
    Unit* nearest = nullptr;
    float best = player->parameters.unitRange;
    for (const std::shared_ptr<Unit>& unit : player->scene->units)
    {
        if (unit->following)
            continue;
        const float distance = unit->getPosition().getDistanceFrom(position);
        if (distance <= best)
        {
            best = distance;
            nearest = unit.get();
        }
    }
    return nearest;
}
