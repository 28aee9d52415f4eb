#include "AI/CreateBaseState.h"

#include "AI/AIPlayer.h"
#include "AI/FetchingState.h"
#include "AI/IdleState.h"
#include "GameEngine/Console.h"

void CreateBaseState::start(AIPlayer* player)
{
    Console::message("Create State Started, Player = " + std::to_string(player->id));
    if (player->zone == BasePlayer::openGround)
    {
        if (!player->campAction())
        {
            // Said once where it failed: the orc gathers on with its units, tries again a while later, and
            // after a second failure founds no more camps this match.
            player->waitBeforeFoundingAgain();
            player->changeState(std::make_unique<FetchingState>());
            return;
        }
        player->foundedCamp();
        player->campThreshold = player->campThresholdBase;
        player->changeState(std::make_unique<IdleState>());
        return;
    }
    player->campThreshold += player->parameters.campThresholdStep;
    player->changeState(std::make_unique<FetchingState>());
}

void CreateBaseState::update(AIPlayer* /*player*/)
{
    // Never reached in play: start always hands over.
    Console::message("Not used");
}
