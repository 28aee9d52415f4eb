#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "Support/MatchFixture.h"

#include <gtest/gtest.h>

TEST(FixtureSmokeTest, StartsAPopulatedMatch)
{
    MatchFixture fixture(2);
    ASSERT_TRUE(fixture.started);
    EXPECT_EQ(fixture.match->players.size(), 3u);
    fixture.parkAllUnits();
    Unit& unit = fixture.freeUnitAt(0, {2, 1, 0});
    fixture.frames(2);
    EXPECT_TRUE(unit.following);
}
