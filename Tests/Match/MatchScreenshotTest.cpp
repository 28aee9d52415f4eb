#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Scenes/GameScene.h"
#include "Scenes/StartScene.h"
#include "Support/HeadlessGame.h"
#include "Support/Screenshot.h"

#include <gtest/gtest.h>

namespace
{
TEST(MatchScreenshotTest, MidMatchShowsTheScoreBarByWeightTheClockAndTheRings)
{
    GameEngine::Settings settings;
    settings.sound = false;
    settings.calendarClock = [] { return std::int64_t{1700000000}; };
    HeadlessGame game(settings);
    ASSERT_TRUE(game.start(std::make_unique<StartScene>()));
    game.postButtonClicked(game.currentSceneAs<StartScene>()->startButton);
    auto* match = game.currentSceneAs<GameScene>();
    ASSERT_NE(match, nullptr);
    game.runFrames(2, 16);
    const Screenshot before(game.device(), "match_start");
    // A camp under the dragon, too strong for the orc to take, its rings held at 10 and 4.
    const irr::core::vector3df center =
        match->humanPlayer->node->getPosition() * irr::core::vector3df(1, 0, 1);
    match->createCamp(center + irr::core::vector3df(0, 1, 0), {0, 0, 0}, {0.1f, 0.1f, 0.1f},
                      match->humanPlayer.get());
    Camp& camp = *match->camps.back();
    camp.unitCount = 50;
    camp.ring->radius = camp.fullRadius = camp.targetRadius = 10.0f;
    camp.coreRing->radius = 4.0f;
    camp.ring->rebuild();
    camp.coreRing->rebuild();
    game.runFrames(90, 500);
    Screenshot frame(game.device(), "mid_match");
    ASSERT_TRUE(frame.valid());

    // The bar splits where the dragon's weight ends; the orc weighs at least 100.
    const float dragon = static_cast<float>(match->players[0]->score);
    const auto split =
        static_cast<irr::u32>(dragon / (dragon + std::max(100.0f, float(match->players[1]->score))) * 1920);
    const auto greenOverBlue = [&](irr::u32 x, irr::u32 y)
    { return int(frame.pixel(x, y).getGreen()) - int(frame.pixel(x, y).getBlue()); };
    EXPECT_LT(greenOverBlue(split - 8, 1060), 30) << split;
    EXPECT_GT(greenOverBlue(split + 8, 1060), 60) << split;
    // The clock's black digits, changed since the start, in its box at the top.
    int digits = 0, changed = 0;
    for (irr::u32 x = 960 - 80; x < 960 + 80; ++x)
        for (irr::u32 y = 0; y < 40; ++y)
            digits += frame.pixel(x, y).getRed() < 40, changed += frame.pixel(x, y) != before.pixel(x, y);
    EXPECT_GT(digits, 50);
    EXPECT_GT(changed, 20);
    // Beside the dragon, its white outer ring lightens the floor and the core adds a cyan tint; further out
    // the floor is as it was.
    irr::scene::ISceneCollisionManager* screen = match->sceneManager->getSceneCollisionManager();
    irr::scene::ICameraSceneNode* camera = match->sceneManager->getActiveCamera();
    const irr::core::vector3df side =
        (camera->getTarget() - camera->getPosition()).crossProduct({0, 1, 0}).normalize();
    const auto change = [&](float along, int (*measure)(irr::video::SColor))
    {
        const irr::core::vector3df ground = center + side * along + irr::core::vector3df(0, 1.1f, 0);
        const irr::core::position2di at = screen->getScreenCoordinatesFrom3DPosition(ground, camera);
        const auto x = static_cast<irr::u32>(at.X), y = static_cast<irr::u32>(at.Y);
        return measure(frame.pixel(x, y)) - measure(before.pixel(x, y));
    };
    const auto light = [](irr::video::SColor c) { return int(c.getLuminance()); };
    const auto cyan = [](irr::video::SColor c) { return int(c.getBlue()) - int(c.getRed()); };
    EXPECT_GT(change(7, light), 25);
    EXPECT_LT(change(7, cyan), 80);
    EXPECT_GT(change(2.5f, cyan), 110);
    EXPECT_LT(std::abs(change(16, light)), 10);
}
}  // namespace
