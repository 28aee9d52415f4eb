#include "AI/AIPlayer.h"
#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Scenes/MatchMenu.h"
#include "Scenes/MenuTexts.h"
#include "Scenes/ResultsPanel.h"
#include "Scenes/StartScene.h"
#include "Support/MatchFixture.h"
#include "Support/RecordingFont.h"
#include "Support/RecordingWebSocket.h"

#include <gtest/gtest.h>

namespace
{
using irr::core::vector3df;

enum class WayOut
{
    escapeAgain,
    resume,
    backToMenu,
    quit
};

class MatchMenuTest : public testing::TestWithParam<WayOut>
{
};

// Esc opens the match menu over a match that goes on: the mouse free, the dragon standing while W is held,
// the orc still walking. Each way out does what it says; "Back to menu" leaves as the match's end does,
// and the telemetry stream stops until the next match, which begins with the distance map as the first did.
TEST_P(MatchMenuTest, OpensOverTheMatchGoingOnAndEveryWayOutDoesWhatItSays)
{
    auto journal = std::make_shared<RecordingWebSocket::Journal>();
    GameEngine::Settings settings = MatchFixture::headless();
    settings.sound = false;
    settings.connectTelemetry = [journal](const std::string&)
    { return std::make_unique<RecordingWebSocket>(journal); };
    MatchFixture fixture(1, true, settings);
    ASSERT_TRUE(fixture.started);
    fixture.frames(2);
    HeadlessGame& game = fixture.game;
    MatchMenu& menu = *fixture.match->matchMenu;
    HumanPlayer& dragon = fixture.human();
    irr::gui::ICursorControl* cursor = game.device()->getCursorControl();
    // A held key repeats its press: the menu opens once.
    for (const bool down : {true, true, true, false})
        game.postKey(MatchMenu::key, down);
    EXPECT_TRUE(menu.isOpen() && menu.root->isVisible() && cursor->isVisible() && !dragon.isSteered());
    EXPECT_EQ(menu.noteText->getText(), std::wstring(MatchMenu::note));
    const vector3df dragonAt = dragon.node->getPosition(), orcAt = fixture.orc(0).node->getPosition();
    const float sceneTime = fixture.match->sceneTime;
    game.postKey(irr::KEY_KEY_W, true);
    fixture.frames(30);
    EXPECT_EQ(dragon.node->getPosition(), dragonAt);
    EXPECT_TRUE(fixture.match->sceneTime > sceneTime && fixture.orc(0).node->getPosition() != orcAt);

    const WayOut way = GetParam();
    if (way == WayOut::escapeAgain)
    {
        game.postKey(MatchMenu::key, true);
        game.postKey(MatchMenu::key, false);
    }
    else
    {
        irr::gui::IGUIButton* button = way == WayOut::resume       ? menu.resumeButton
                                       : way == WayOut::backToMenu ? menu.backButton
                                                                   : menu.quitButton;
        game.clickAt(button->getAbsolutePosition().getCenter());
    }
    if (way == WayOut::quit)
    {
        EXPECT_FALSE(game.runFrame(16)) << "the window stays open";
        return;
    }
    if (way != WayOut::backToMenu)
    {
        EXPECT_TRUE(!menu.isOpen() && !menu.root->isVisible() && !cursor->isVisible() && dragon.isSteered());
        fixture.frames(5);
        EXPECT_NE(dragon.node->getPosition(), dragonAt) << "W is still held";
        return;
    }
    ASSERT_TRUE(game.runFrame(16));
    auto* start = game.currentSceneAs<StartScene>();
    ASSERT_NE(start, nullptr);
    // The match's sound engine, and its music with it, went: only the test holds it now.
    EXPECT_EQ(fixture.sound->getReferenceCount(), 1);
    EXPECT_FALSE(start->lastMatch.has_value() || start->texts->resultLine);
    const std::size_t atMenu = journal->sent.size();
    game.postKey(irr::KEY_KEY_W, false);
    game.runFrames(20, 16);
    EXPECT_EQ(journal->sent.size(), atMenu) << "the menu sends nothing";
    game.clickAt(start->startButton->getAbsolutePosition().getCenter());
    auto* second = game.currentSceneAs<GameScene>();
    ASSERT_TRUE(second && second->matchMenu);
    ASSERT_GT(journal->sent.size(), atMenu);
    EXPECT_EQ(journal->sent[atMenu], journal->sent.front()) << "the second match opens with the distance map";
    EXPECT_TRUE(game.runFrames(30, 16) && game.engine().getCurrentScene() == second);
    EXPECT_EQ(game.device()->getEventReceiver(), second->matchMenu.get());
}

std::string nameOf(const testing::TestParamInfo<WayOut>& info)
{
    static const char* const names[] = {"EscapeAgain", "Resume", "BackToMenu", "Quit"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(WaysOut, MatchMenuTest,
                         testing::Values(WayOut::escapeAgain, WayOut::resume, WayOut::backToMenu,
                                         WayOut::quit),
                         nameOf);

// A known finish: the first orc's camp larger than the dragon's, the second orc without one. From the
// winner's announcement the results show a row per player, winner first, one more every 250 ms, with the
// figures the match holds; the clock is gone; the menu that comes back names the winner and your place.
TEST(ResultsPanelTest, ShowsEveryPlayerWinnerFirstWithTheMatchsFiguresThenTheMenuSaysHowItEnded)
{
    MatchFixture fixture(2);
    ASSERT_TRUE(fixture.quiet());
    GameScene& match = *fixture.match;
    for (const auto& [owner, where, units, radius] :
         {std::tuple<BasePlayer*, vector3df, int, float>(&fixture.human(), {10, 2, 10}, 3, 8.0f),
          std::tuple<BasePlayer*, vector3df, int, float>(&fixture.orc(0), {-30, 3, -30}, 5, 12.0f)})
    {
        Camp& camp = fixture.campAt(where, *owner, units);
        camp.ring->radius = camp.targetRadius = camp.fullRadius = radius;
    }
    auto* clockFont = new RecordingFont();
    match.font = clockFont;
    match.sceneStartTime -= BaseGameScene::matchLength - 1000.0f;
    while (!match.result && fixture.game.runFrame(16))
        ASSERT_LT(match.sceneTime, BaseGameScene::matchLength + 100.0f);
    const std::size_t clockDraws = clockFont->calls.size();
    EXPECT_GT(clockDraws, 0u);
    ResultsPanel& panel = *match.resultsPanel;
    EXPECT_TRUE(panel.phase() == ResultsPanel::Phase::revealing && panel.shownRows() == 1);
    std::vector<std::vector<std::wstring>> expected;
    for (const BasePlayer* player :
         std::initializer_list<const BasePlayer*>{&fixture.orc(0), &fixture.human(), &fixture.orc(1)})
    {
        int held = 0;
        auto units = static_cast<int>(player->units.size());
        for (const std::shared_ptr<Camp>& camp : match.camps)
            if (camp->ownerId == player->id)
                held += 1, units += camp->unitCount;
        expected.push_back({player->isHuman() ? L"You" : L"Orc " + std::to_wstring(player->id),
                            std::to_wstring(expected.size() + 1), std::to_wstring(player->score),
                            std::to_wstring(held), std::to_wstring(player->campsFounded),
                            std::to_wstring(player->campsCaptured), std::to_wstring(units)});
        EXPECT_EQ(panel.rowColors()[expected.size() - 1].color & 0xFFFFFFu,
                  player->color.toSColor().color & 0xFFFFFFu);
    }
    EXPECT_EQ(panel.cells(), expected);
    for (std::size_t rows = 2; rows <= 3; ++rows)
    {
        fixture.game.runFrames(16, 16);
        EXPECT_EQ(panel.shownRows(), rows);
    }
    EXPECT_EQ(panel.phase(), ResultsPanel::Phase::standing);
    EXPECT_EQ(clockFont->calls.size(), clockDraws) << "the clock shows under the results";
    const int yourScore = fixture.human().score;
    while (fixture.game.currentSceneAs<GameScene>() && fixture.game.runFrame(16))
    {
    }
    auto* menu = fixture.game.currentSceneAs<StartScene>();
    ASSERT_TRUE(menu && menu->texts->resultLine);
    EXPECT_EQ(std::wstring(menu->texts->resultLine->getText()),
              L"Last match: Orc 1 won, you came 2nd of 3 with " +
                  std::to_wstring(menu->lastMatch->human()->score) + L" points");
    EXPECT_EQ(menu->lastMatch->human()->score, yourScore) << "the standings of the announcement";
    clockFont->drop();
}
}  // namespace
