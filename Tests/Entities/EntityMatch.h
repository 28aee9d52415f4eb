#pragma once

#include "GameEngine/TextAnnouncer.h"
#include "Support/MatchFixture.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class BasePlayer;
class Camp;

// A real match whose free units are parked out of play: each test brings back only the units it uses.
class EntityMatch : public ::testing::Test
{
protected:
    // A new match with `orcs` computer players, past its first frame (which has no length).
    bool start(irr::u32 orcs = 0);
    // Units `first` on, standing in a row beside `owner`, picked up by it in turn.
    std::vector<Unit*> giveUnits(BasePlayer& owner, int count, std::size_t first = 0);
    // The camp `founder` founds standing at `where` with `units` units; null if none was made.
    Camp* foundCamp(BasePlayer& founder, const irr::core::vector3df& where, int units, std::size_t first = 0);
    int plays(const std::string& file, bool placed = false) const;
    HumanPlayer& human() { return fixture->human(); }
    const std::vector<Announcement>& said() const { return fixture->match->announcer->getMessages(); }

    std::unique_ptr<MatchFixture> fixture;
};
