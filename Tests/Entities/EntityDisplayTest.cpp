#include "AI/AIPlayer.h"
#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "Scenes/StartScene.h"
#include "Support/HeadlessGame.h"
#include "Support/Screenshot.h"
#include "Support/TestMatch.h"

#include <gtest/gtest.h>

namespace
{
using irr::core::vector3df;

// Free units on the floor, a chain of three behind the dragon and an orc's camp with both rings, from the
// match camera.
TEST(EntityDisplayTest, FreeUnitsStandOutAndOwnedOnesGlowInTheOwnersColour)
{
    GameEngine::Settings settings;
    settings.calendarClock = [] { return std::int64_t{1700000000}; };
    HeadlessGame game(settings);
    RecordingSoundEngine* sound = new RecordingSoundEngine();
    auto scene = std::make_unique<TestMatch>(sound, 1);
    TestMatch& match = *scene;
    ASSERT_TRUE(game.start(std::make_unique<StartScene>()) && game.engine().changeScene(std::move(scene)));
    game.runFrame(16);
    AIPlayer& orc = *match.aiPlayers.front();
    orc.node->setPosition({16, 3, 0});
    for (std::size_t n = 0; n < 4; ++n)
        match.units[n]->pickUp(&orc);
    orc.campAction();
    orc.stunned = true;  // So that it cannot dash into the dragon before the picture.
    for (std::size_t n = 4; n < 7; ++n)
    {
        match.units[n]->returnToPlay({-2.0f * static_cast<float>(7 - n), 1, 0});
        match.units[n]->pickUp(match.humanPlayer.get());
    }
    match.units[7]->returnToPlay({4, 1, 9});
    match.humanPlayer->yaw = 40;
    game.runFrames(30, 16);

    Screenshot frame(game.device(), "entities");
    ASSERT_TRUE(frame.valid() && match.camps.size() == 1);
    irr::scene::ISceneCollisionManager* projection =
        game.device()->getSceneManager()->getSceneCollisionManager();
    const auto seenAt = [&](const vector3df& position)
    {
        const irr::core::position2di pixel = projection->getScreenCoordinatesFrom3DPosition(position);
        return frame.pixel(static_cast<irr::u32>(pixel.X), static_cast<irr::u32>(pixel.Y));
    };
    const auto brightness = [](irr::video::SColor color)
    { return static_cast<int>(color.getRed() + color.getGreen() + color.getBlue()) / 3; };
    EXPECT_GT(brightness(seenAt({4, 0, 12})) - brightness(seenAt(match.units[7]->getPosition())), 60);
    for (std::size_t n = 4; n < 7; ++n)
        EXPECT_GE(brightness(seenAt(match.units[n]->getPosition())), 230) << "chain unit " << n;
    const Camp& camp = *match.camps.front();
    for (float radius : {camp.coreRing->radius / 2, (camp.coreRing->radius + camp.ring->radius) / 2})
    {
        const irr::video::SColor ring = seenAt(camp.getPosition() + vector3df(0, 0.1f, -radius));
        EXPECT_TRUE(ring.getGreen() > ring.getRed() + 30 && ring.getGreen() > ring.getBlue() + 30) << radius;
    }
    game.closeWindow();
    sound->drop();
}
}  // namespace
