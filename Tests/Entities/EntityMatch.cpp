#include "EntityMatch.h"

#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"

#include <algorithm>

bool EntityMatch::start(irr::u32 orcs)
{
    fixture = std::make_unique<MatchFixture>(orcs);
    if (!fixture->started)
        return false;
    fixture->parkAllUnits();
    fixture->frames(1);
    fixture->place(human().node, {0, 2, 0});
    return true;
}

std::vector<Unit*> EntityMatch::giveUnits(BasePlayer& owner, int count, std::size_t first)
{
    std::vector<Unit*> given;
    for (int n = 1; n <= count; ++n)
    {
        const irr::core::vector3df beside = owner.node->getPosition() + irr::core::vector3df(-2.0f * n, 0, 1);
        given.push_back(&fixture->freeUnitAt(first + n - 1, beside));
        given.back()->pickUp(&owner);
    }
    return given;
}

Camp* EntityMatch::foundCamp(BasePlayer& founder, const irr::core::vector3df& where, int units,
                             std::size_t first)
{
    fixture->place(founder.node, where);
    giveUnits(founder, units, first);
    const std::size_t before = fixture->match->camps.size();
    founder.zone = BasePlayer::openGround;
    founder.campAction();
    return fixture->match->camps.size() > before ? fixture->match->camps.back().get() : nullptr;
}

int EntityMatch::plays(const std::string& file, bool placed) const
{
    const std::vector<RecordingSoundEngine::PlayCall>& calls = fixture->sound->plays;
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                          [&](const auto& call)
                                          { return call.file == file && call.placed == placed; }));
}
