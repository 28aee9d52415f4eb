#include "AI/IdleState.h"

#include "AI/AIPlayer.h"
#include "AI/FetchingState.h"
#include "Entities/Unit.h"
#include "Scenes/BaseGameScene.h"

void IdleState::start(AIPlayer* player)
{
    player->changeState(std::make_unique<FetchingState>());
}

void IdleState::update(AIPlayer* player)
{
    for (const std::shared_ptr<Unit>& unit : player->scene->units)
    {
        if (!unit->following)
        {
            player->changeState(std::make_unique<FetchingState>());
            return;
        }
    }
}
