#include "AI/AIPlayer.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "Scenes/StartScene.h"
#include "Support/MatchFixture.h"

#include <gtest/gtest.h>

namespace
{
// Four orcs, as the menu allows at most.
TEST(MatchSetupTest, PutsAUnitOnEverySpotThenTheDragonThenTheOrcsInTheirCornersAndPlaysToTheCamera)
{
    MatchFixture fixture(4);
    ASSERT_TRUE(fixture.started);
    GameScene& match = *fixture.match;
    irr::scene::IMeshBuffer* spots = match.unitSpotNode->getMesh()->getMeshBuffer(0);
    ASSERT_EQ(match.units.size(), spots->getVertexCount() - 2);
    for (std::size_t index = 0; index < match.units.size(); ++index)
    {
        const irr::core::vector3df spot = spots->getPosition(static_cast<irr::u32>(index) + 2);
        EXPECT_EQ(match.units[index]->getPosition(), irr::core::vector3df(spot.X, 1, spot.Z)) << index;
        EXPECT_FALSE(match.units[index]->following || match.units[index]->absorbed);
    }
    ASSERT_EQ(match.players.size(), 5u);
    EXPECT_TRUE(match.players[0] == match.humanPlayer &&
                match.humanPlayer->node->getPosition() == irr::core::vector3df(0, 2, 0));
    for (irr::u32 k = 1; k <= 4; ++k)
        EXPECT_TRUE(match.players[k]->id == static_cast<irr::s32>(k) &&
                    match.players[k]->node->getPosition() == GameScene::aiStarts[k - 1])
            << k;
    EXPECT_TRUE(match.camps.empty());
    EXPECT_FALSE(fixture.game.device()->getCursorControl()->isVisible());
    ASSERT_EQ(fixture.sound->plays.size(), 1u);
    EXPECT_EQ(fixture.sound->plays[0].file, GameScene::musicPath);
    EXPECT_TRUE(fixture.sound->plays[0].looped && !fixture.sound->plays[0].placed);
    // The listener hears from the camera behind the dragon, every frame.
    fixture.frames(2);
    irr::scene::ICameraSceneNode* camera = fixture.match->sceneManager->getActiveCamera();
    EXPECT_EQ(fixture.sound->listenerUpdates, 2);
    EXPECT_EQ(fixture.sound->listenerPosition, camera->getPosition());
    EXPECT_EQ(fixture.sound->listenerLookDirection, camera->getTarget() - camera->getPosition());
}
}  // namespace
