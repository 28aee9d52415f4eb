#include "AI/CaptureBaseState.h"

#include "AI/AIPlayer.h"

std::string CaptureBaseState::startLine(const AIPlayer* player) const
{
    return "CaptureBase State Started, Player = " + std::to_string(player->id);
}
