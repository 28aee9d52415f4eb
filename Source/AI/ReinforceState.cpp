#include "AI/ReinforceState.h"

#include "AI/AIPlayer.h"
#include "AI/IdleState.h"

void ReinforceState::update(AIPlayer* player)
{
    if (player->units.empty())
    {
        player->changeState(std::make_unique<IdleState>());
        return;
    }
    CampWalkState::update(player);
}

std::string ReinforceState::startLine(const AIPlayer* /*player*/) const
{
    return "Reinforce State Started";
}
