#include "MatchWatch.h"

#include "AI/AIPlayer.h"
#include "Entities/Camp.h"
#include "Entities/Unit.h"
#include "External/AIWorld.h"
#include "Scenes/BaseGameScene.h"

#include <algorithm>
#include <cmath>

bool MatchWatch::nearTheFloor(const irr::AI::AINavigationMesh& floor, const irr::core::vector3df& position)
{
    // At the height orcs walk at: an orc lifted onto the dragon still stands over the floor. The floor
    // keeps a margin from every wall and obstacle, and a walk may end a step past its edge: only a
    // position with no floor anywhere within that margin is inside something or outside the arena.
    const irr::core::vector3df walking(position.X, AIPlayer::waypointHeight, position.Z);
    if (floor.isPointInsideNavigationMesh(walking))
        return true;
    for (int direction = 0; direction < edgeDirections; ++direction)
    {
        const float angle = static_cast<float>(direction) * irr::core::PI * 2.0f / edgeDirections;
        const irr::core::vector3df offset(std::sin(angle) * edgeAllowance, 0.0f,
                                          std::cos(angle) * edgeAllowance);
        if (floor.isPointInsideNavigationMesh(walking + offset))
            return true;
    }
    return false;
}

void MatchWatch::observe(const BaseGameScene& match, double frameMs)
{
    watchOrcs(match, frameMs);
    timeStates(match, frameMs);
    watchJump(match, frameMs);
}

void MatchWatch::watchOrcs(const BaseGameScene& match, double frameMs)
{
    const bool unitsToFetch = std::any_of(match.units.begin(), match.units.end(),
                                          [](const std::shared_ptr<Unit>& unit) { return !unit->following; });
    const irr::AI::AINavigationMesh* floor = match.walkableFloor();
    for (const std::shared_ptr<AIPlayer>& orc : match.aiPlayers)
    {
        const irr::core::vector3df position = orc->node->getPosition();
        Record& record = byPlayer[orc->id];
        Tracking& track = tracking[orc->id];
        // Still means not getting anywhere: an orc jittering on one spot is as stuck as one standing there.
        const bool still = track.seen && position.getDistanceFrom(track.anchor) < stillDistance;
        if (!still)
            track.anchor = position;
        track.stillMs = still && unitsToFetch ? static_cast<float>(track.stillMs + frameMs) : 0.0f;
        record.longestStillMs = std::max(record.longestStillMs, track.stillMs);
        track.seen = true;
        if (floor && !nearTheFloor(*floor, position))
            ++record.framesOffFloor;
    }
}

void MatchWatch::timeStates(const BaseGameScene& match, double frameMs)
{
    for (const std::shared_ptr<BasePlayer>& player : match.players)
    {
        StateClocks& clock = clocks[player->id];
        Durations& spans = spansByPlayer[player->id];
        clock.dash.advance(player->dashing, player->dashTime, frameMs, spans.dash);
        clock.cooldown.advance(player->coolingDown, player->cooldownTime, frameMs, spans.cooldown);
        clock.stun.advance(player->stunned, player->stunTime, frameMs, spans.stun);
    }
}

void MatchWatch::StateClock::advance(bool nowOn, float nowCounted, double frameMs, Spans& spans)
{
    if (on)
        ms += frameMs;
    if (on && (!nowOn || nowCounted < counted))
    {
        spans.add(ms);
        ms = 0.0;
    }
    on = nowOn;
    counted = nowCounted;
}

void MatchWatch::Spans::add(double ms)
{
    shortestMs = count == 0 ? ms : std::min(shortestMs, ms);
    longestMs = count == 0 ? ms : std::max(longestMs, ms);
    ++count;
}

void MatchWatch::beginJump(const BaseGameScene& match, double frameMs)
{
    Snapshot before;
    for (const std::shared_ptr<Camp>& camp : match.camps)
        before.ringRadii.push_back(camp->ring->radius);
    for (const std::shared_ptr<BasePlayer>& player : match.players)
    {
        before.scores[player->id] = player->score;
        if (player->node)
            before.positions[player->id] = player->node->getPosition();
    }
    beforeJump = before;
    jumping = Jump();
    jumping.frameMs = frameMs;
    jumpFramesToWatch = 2;
}

void MatchWatch::watchJump(const BaseGameScene& match, double frameMs)
{
    if (jumpFramesToWatch == 0 || !beforeJump)
        return;
    if (jumpFramesToWatch-- == 2)
    {
        jumping.gameMs = frameMs;
        return;
    }
    const Snapshot& before = *beforeJump;
    for (std::size_t index = 0; index < before.ringRadii.size() && index < match.camps.size(); ++index)
        jumping.ringChange = std::max(jumping.ringChange,
                                      std::abs(match.camps[index]->ring->radius - before.ringRadii[index]));
    for (const std::shared_ptr<BasePlayer>& player : match.players)
    {
        const auto score = before.scores.find(player->id);
        if (score != before.scores.end())
            jumping.scoreChange = std::max(jumping.scoreChange, std::abs(player->score - score->second));
        const auto position = before.positions.find(player->id);
        if (position != before.positions.end() && player->node)
            jumping.move =
                std::max(jumping.move, player->node->getPosition().getDistanceFrom(position->second));
    }
    jumped = jumping;
}

void MatchWatch::reset()
{
    byPlayer.clear();
    tracking.clear();
    spansByPlayer.clear();
    clocks.clear();
    beforeJump.reset();
    jumpFramesToWatch = 0;
    jumped.reset();
}
