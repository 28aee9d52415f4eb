#include "AI/AIPlayer.h"
#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "Scenes/KeyLegend.h"
#include "Scenes/MatchMenu.h"
#include "Scenes/MenuTexts.h"
#include "Scenes/ResultsPanel.h"
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

position2di halfOf(const irr::core::recti& area)
{
    return {area.getWidth() / 2, area.getHeight() / 2};
}

// A frame of a match from the dragon's camera (Output/mid_match.png): the vault above the walls, free units
// on their spots, the dragon with a chain of three, the orc's camp with both rings and a chain of its own,
// the score bar and the clock. Then the match menu over it (Output/match_menu.png), the results
// (Output/results.png) and the menu the match returns to (Output/menu.png).
TEST(MatchDisplayTest, AMatchShowsVaultUnitsChainsCampBarAndClockThenItsMenuResultsAndTheStartMenu)
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
    const std::vector<Unit*> orcChain = fixture.giveUnits(orc, 2);
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
    // Free units are light grey cubes, lighter than the floor; owned ones glow in their owner's colour, the
    // dragon's white, the orc's green beside its green camp; the dragon's scales and the orc's rings are
    // green.
    const SColor freeSeen = seenAt(free.getPosition());
    EXPECT_TRUE(brightness(freeSeen) > brightness(seenAt({4, 0, 12})) + 30 && brightness(freeSeen) < 200 &&
                freeSeen.getRed() == freeSeen.getGreen())
        << freeSeen.color;
    for (const Unit* unit : chain)
        EXPECT_GE(brightness(seenAt(unit->getPosition())), 230) << unit->getPosition().X;
    for (const Unit* unit : orcChain)
        EXPECT_TRUE(green(seenAt(unit->getPosition()))) << unit->getPosition().X;
    // Above the walls the vault, not the clear grey: dark stone with the torches' warm light.
    const SColor clear(255, 70, 70, 70);
    EXPECT_EQ(count(frame, {960, 200}, {960, 100}, [&](SColor c) { return c == clear; }), 0);
    EXPECT_GT(count(frame, {960, 200}, {960, 100}, [](SColor c) { return c.getRed() > c.getBlue() + 8; }),
              20000);
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

    // Esc: the match menu's dark panel in the middle, its three light buttons, the arena around it.
    fixture.game.postKey(MatchMenu::key, true);
    fixture.frames(2);
    const Screenshot menuOver(fixture.game.device(), "match_menu");
    const MatchMenu& matchMenu = *fixture.match->matchMenu;
    const irr::core::recti panel = matchMenu.root->getAbsolutePosition();
    EXPECT_LT(brightness(menuOver.pixel(panel.UpperLeftCorner.X + 4, panel.getCenter().Y)), 60);
    for (irr::gui::IGUIButton* button : {matchMenu.resumeButton, matchMenu.backButton, matchMenu.quitButton})
        EXPECT_GT(count(menuOver, button->getAbsolutePosition().getCenter(), {40, 6},
                        [&](SColor c) { return brightness(c) > 110; }),
                  300);
    fixture.game.postKey(MatchMenu::key, false);
    fixture.game.postKey(MatchMenu::key, true);
    fixture.game.postKey(MatchMenu::key, false);

    // The results: the orc, the winner, first in its green.
    fixture.match->sceneStartTime -= BaseGameScene::matchLength;
    fixture.frames(70);
    const Screenshot results(fixture.game.device(), "results");
    const irr::core::recti table = fixture.match->resultsPanel->area();
    ASSERT_EQ(fixture.match->resultsPanel->shownRows(), 2u);
    EXPECT_GT(count(results, {table.getCenter().X, table.getCenter().Y}, {table.getWidth() / 2 - 2, 4},
                    [&](SColor c) { return brightness(c) < 40; }),
              table.getWidth());
    EXPECT_GT(count(results, table.getCenter(), halfOf(table), green), 400);

    // The match over, the menu: its title in gold, the last match's line, the lighter buttons on its grey.
    fixture.frames(200);
    auto* menu = fixture.game.currentSceneAs<StartScene>();
    ASSERT_TRUE(menu && menu->texts->resultLine);
    fixture.frames(2);
    const Screenshot menuFrame(fixture.game.device(), "menu");
    EXPECT_EQ(menuFrame.pixel(5, 5), clear);
    const irr::core::recti title = menu->texts->titleText->getAbsolutePosition();
    EXPECT_GT(count(menuFrame, title.getCenter(), halfOf(title),
                    [](SColor c) { return c.getRed() > 200 && c.getBlue() < 120; }),
              2000);
    for (irr::gui::IGUIElement* text :
         {static_cast<irr::gui::IGUIElement*>(menu->texts->resultLine), menu->legend->texts().all().back()})
    {
        const irr::core::recti area = text->getAbsolutePosition();
        EXPECT_GT(count(menuFrame, area.getCenter(), halfOf(area), [](SColor c) { return c.getRed() > 150; }),
                  50);
    }
    for (irr::gui::IGUIButton* button : {menu->startButton, menu->addPlayerButton, menu->removePlayerButton,
                                         menu->settingsButton, menu->quitButton})
        EXPECT_GT(count(menuFrame, button->getAbsolutePosition().getCenter(), {40, 10},
                        [&](SColor c) { return brightness(c) > brightness(clear) + 30; }),
                  600);
}
}  // namespace
