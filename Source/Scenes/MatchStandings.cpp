#include "Scenes/MatchStandings.h"

#include "Entities/BasePlayer.h"
#include "Entities/Camp.h"
#include "Scenes/BaseGameScene.h"

#include <algorithm>
#include <numeric>

MatchStandings MatchStandings::of(const BaseGameScene& match)
{
    MatchStandings standings;
    if (const BasePlayer* winner = match.leader())
        standings.winnerId = winner->id;
    std::vector<float> weights;
    for (const std::shared_ptr<BasePlayer>& player : match.players)
    {
        Player standing;
        standing.id = player->id;
        standing.human = player->isHuman();
        standing.color = player->color.toSColor();
        standing.score = player->score;
        standing.unitsHeld = static_cast<int>(player->units.size());
        standing.campsFounded = player->campsFounded;
        standing.campsCaptured = player->campsCaptured;
        for (const std::shared_ptr<Camp>& camp : match.camps)
        {
            if (camp->ownerId != player->id)
                continue;
            ++standing.campsHeld;
            standing.unitsHeld += camp->unitCount;
        }
        standings.players.push_back(standing);
        weights.push_back(BaseGameScene::weightOf(*player));
    }
    std::vector<std::size_t> order(standings.players.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&weights](std::size_t one, std::size_t other)
                     { return weights[one] > weights[other]; });
    for (std::size_t place = 0; place < order.size(); ++place)
        standings.players[order[place]].rank = static_cast<int>(place) + 1;
    return standings;
}

std::vector<MatchStandings::Player> MatchStandings::ranked() const
{
    std::vector<Player> byRank = players;
    std::sort(byRank.begin(), byRank.end(),
              [](const Player& one, const Player& other) { return one.rank < other.rank; });
    return byRank;
}

const MatchStandings::Player* MatchStandings::human() const
{
    const auto found =
        std::find_if(players.begin(), players.end(), [](const Player& player) { return player.human; });
    return found != players.end() ? &*found : nullptr;
}

std::wstring MatchStandings::Player::name() const
{
    return human ? std::wstring(L"You") : L"Orc " + std::to_wstring(id);
}
