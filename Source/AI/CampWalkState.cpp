#include "AI/CampWalkState.h"

#include "AI/AIPlayer.h"
#include "AI/FetchingState.h"
#include "AI/IdleState.h"
#include "Entities/Camp.h"
#include "GameEngine/Console.h"

CampWalkState::CampWalkState(Camp* camp) : camp(camp)
{
}

void CampWalkState::start(AIPlayer* player)
{
    Console::message(startLine(player));
    // No way to the camp: nothing to walk to, and no camp action at a stale spot.
    if (!player->walkTo(camp->getPosition()))
        player->changeState(std::make_unique<FetchingState>());
}

void CampWalkState::update(AIPlayer* player)
{
    // A stun stops the walk (and scatters the units it was counting on): think again rather than stand
    // still for the rest of the match.
    if (!player->moving)
    {
        player->changeState(std::make_unique<FetchingState>());
        return;
    }
    player->stepTowardWaypoint(
        [player]
        {
            player->moving = false;
            player->campAction();
            player->changeState(std::make_unique<IdleState>());
        });
}
