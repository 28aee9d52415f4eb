#include "AI/AIPlayer.h"
#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "Scenes/StartScene.h"
#include "Support/MatchFixture.h"
#include "Support/Screenshot.h"

#include <gtest/gtest.h>

namespace
{
using irr::core::position2di;
using irr::core::vector3df;
using irr::video::SColor;

// How many pixels of `frame` within `reach` of `middle` across and down have `look`.
template <class Look>
int count(const Screenshot& frame, position2di middle, position2di reach, Look look)
{
    int found = 0;
    for (int x = middle.X - reach.X; x < middle.X + reach.X; ++x)
        for (int y = std::max(0, middle.Y - reach.Y); y < middle.Y + reach.Y; ++y)
            found += look(frame.pixel(static_cast<irr::u32>(x), static_cast<irr::u32>(y))) ? 1 : 0;
    return found;
}

// A frame of a match from the dragon's camera (Output/mid_match.png): free units on their spots, the dragon
// with a chain of three, the orc's camp with both rings, the score bar and the clock. Then the menu the
// match returns to (Output/menu.png).
TEST(MatchDisplayTest, AMatchShowsUnitsDragonChainCampScoreBarAndClockThenTheMenuComesBack)
{
    GameEngine::Settings settings = MatchFixture::headless();
    settings.driverType = irr::video::EDT_OPENGL;
    MatchFixture fixture(1, false, settings);
    ASSERT_TRUE(fixture.started);
    fixture.frames(1);
    AIPlayer& orc = fixture.orc(0);
    const Camp* camp = fixture.foundCamp(orc, {16, 3, 0}, 4);
    orc.stunned = true;  // So that it cannot dash into the dragon before the picture.
    const std::vector<Unit*> chain = fixture.giveUnits(fixture.human(), 3);
    const Unit& free = fixture.freeUnitAt({4, 1, 9});
    fixture.human().yaw = 40;
    fixture.frames(30);
    const Screenshot frame(fixture.game.device(), "mid_match");
    ASSERT_TRUE(frame.valid() && camp);
    const auto green = [](SColor c)
    { return c.getGreen() > c.getRed() + 30 && c.getGreen() > c.getBlue() + 30; };
    const auto brightness = [](SColor c)
    { return static_cast<int>(c.getRed() + c.getGreen() + c.getBlue()) / 3; };
    irr::scene::ISceneCollisionManager* screen = fixture.match->sceneManager->getSceneCollisionManager();
    const auto seenAt = [&](const vector3df& position)
    {
        const position2di pixel = screen->getScreenCoordinatesFrom3DPosition(position);
        return frame.pixel(static_cast<irr::u32>(pixel.X), static_cast<irr::u32>(pixel.Y));
    };
    // Free units are dark cubes on the lighter floor, owned ones glow in the dragon's white; the dragon's
    // scales and the orc's rings are green.
    EXPECT_GT(brightness(seenAt({4, 0, 12})) - brightness(seenAt(free.getPosition())), 60);
    for (const Unit* unit : chain)
        EXPECT_GE(brightness(seenAt(unit->getPosition())), 230) << unit->getPosition().X;
    const position2di dragon =
        screen->getScreenCoordinatesFrom3DPosition(fixture.human().node->getPosition());
    EXPECT_GT(count(frame, dragon, {40, 60}, green), 300);
    for (float radius : {camp->coreRing->radius / 2, (camp->coreRing->radius + camp->ring->radius) / 2})
        EXPECT_TRUE(green(seenAt(camp->getPosition() + vector3df(0, 0.1f, -radius)))) << radius;
    // The bar splits where the dragon's weight ends, each weighing at least 100; the orc's part is green.
    const auto weight = [](const BasePlayer& player) { return std::max(100.0f, float(player.score)); };
    const int split =
        static_cast<int>(weight(fixture.human()) / (weight(fixture.human()) + weight(orc)) * 1920);
    EXPECT_EQ(count(frame, {split - 10, 1060}, {2, 2}, green), 0) << split;
    EXPECT_EQ(count(frame, {split + 10, 1060}, {2, 2}, green), 16) << split;
    // The clock's black digits in their box at the top.
    EXPECT_GT(count(frame, {960, 0}, {80, 40}, [&](SColor c) { return brightness(c) < 40; }), 50);

    // The match over, the menu's lighter buttons on its clear grey.
    fixture.game.runFrame(93001);
    fixture.frames(2);
    auto* menu = fixture.game.currentSceneAs<StartScene>();
    ASSERT_NE(menu, nullptr);
    const Screenshot menuFrame(fixture.game.device(), "menu");
    const SColor clear(255, 70, 70, 70);
    EXPECT_EQ(menuFrame.pixel(10, 10), clear);
    for (irr::gui::IGUIButton* button : {menu->startButton, menu->addPlayerButton, menu->removePlayerButton})
        EXPECT_GT(count(menuFrame, button->getAbsolutePosition().getCenter(), {40, 10},
                        [&](SColor c) { return brightness(c) > brightness(clear) + 30; }),
                  600);
}
}  // namespace
