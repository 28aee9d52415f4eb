#include "Scenes/StartScene.h"
#include "Scenes/GameScene.h"
#include "Scenes/StartSceneEventReceiver.h"
#include "Support/HeadlessGame.h"
#include "Support/RecordingFont.h"

#include <gtest/gtest.h>

namespace
{
class StartSceneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto scene = std::make_unique<StartScene>();
        menu = scene.get();
        ASSERT_TRUE(game.start(std::move(scene)));
        menu->countFont = &countFont;
    }

    // The opponent count as the menu draws it in the next frame.
    std::wstring shownCount()
    {
        countFont.calls.clear();
        game.runFrame(16);
        return countFont.calls.empty() ? L"" : countFont.calls.back().text.c_str();
    }

    HeadlessGame game;
    RecordingFont countFont;
    StartScene* menu = nullptr;
};

TEST_F(StartSceneTest, ANewMenuOffersOneOpponentInRedAboveTheButtons)
{
    EXPECT_EQ(shownCount(), L"1");
    const auto& call = countFont.calls.back();
    EXPECT_EQ(call.position, irr::core::rect<irr::s32>(960, 432, 0, 0));
    EXPECT_EQ(call.color, irr::video::SColor(255, 200, 0, 0));
    EXPECT_TRUE(game.device()->getCursorControl()->isVisible());
}

TEST_F(StartSceneTest, TheCountStaysFromOneToFourAndEveryClickIsHandled)
{
    // Clicks on "Add Player" (+) and "Remove Player" (-), by mouse (m) or as GUI events, and the count after.
    const std::pair<const char*, const wchar_t*> clicks[] = {{"-", L"1"}, {"+++", L"4"}, {"+", L"4"},
                                                             {"-", L"3"}, {"m+", L"4"},  {"m-", L"3"}};
    for (const auto& [buttons, count] : clicks)
    {
        const bool mouse = buttons[0] == 'm';
        for (const char* button = buttons + (mouse ? 1 : 0); *button; ++button)
        {
            irr::gui::IGUIButton* target = *button == '+' ? menu->addPlayerButton : menu->removePlayerButton;
            if (mouse)
                game.clickAt(target->getAbsolutePosition().getCenter());
            else
                EXPECT_TRUE(game.postButtonClicked(target));
        }
        EXPECT_EQ(shownCount(), count) << buttons;
    }
}

TEST_F(StartSceneTest, OtherEventsGoOnToTheGuiAndChangeNothing)
{
    irr::SEvent event{};
    event.EventType = irr::EET_GUI_EVENT;
    event.GUIEvent.Caller = menu->addPlayerButton;
    event.GUIEvent.EventType = irr::gui::EGET_ELEMENT_HOVERED;
    EXPECT_FALSE(menu->receiver->OnEvent(event));
    event.GUIEvent.EventType = irr::gui::EGET_BUTTON_CLICKED;
    event.GUIEvent.Caller =
        game.device()->getGUIEnvironment()->addButton({0, 0, 10, 10}, nullptr, 999, L"other");
    EXPECT_FALSE(menu->receiver->OnEvent(event));
    EXPECT_FALSE(game.postKey(irr::KEY_SPACE, true));
    EXPECT_EQ(shownCount(), L"1");
}

TEST_F(StartSceneTest, StartGameHandsTheCountToANewMatchAndLeavesNoButtonToTakeTheKeys)
{
    game.postButtonClicked(menu->addPlayerButton);
    game.postButtonClicked(menu->addPlayerButton);
    game.clickAt(menu->startButton->getAbsolutePosition().getCenter());
    auto* match = game.currentSceneAs<GameScene>();
    ASSERT_NE(match, nullptr);
    EXPECT_EQ(match->aiPlayerCount, 3u);
    EXPECT_EQ(match->aiPlayers.size(), 3u);
    irr::gui::IGUIEnvironment* gui = game.device()->getGUIEnvironment();
    for (irr::s32 id :
         {StartScene::startButtonId, StartScene::addPlayerButtonId, StartScene::removePlayerButtonId})
        EXPECT_EQ(gui->getRootGUIElement()->getElementFromId(id), nullptr) << id;
    EXPECT_TRUE(game.runFrames(3, 16));
    EXPECT_EQ(gui->getFocus(), nullptr);
    EXPECT_FALSE(game.postKey(irr::KEY_SPACE, true));
}

TEST(StartSceneLayoutTest, ButtonsSitAroundTheMiddleOfAnyScreen)
{
    HeadlessGame game({1280, 720});
    ASSERT_TRUE(game.start(std::make_unique<StartScene>()));
    StartScene* menu = game.currentSceneAs<StartScene>();
    EXPECT_EQ(menu->startButton->getAbsolutePosition(), irr::core::rect<irr::s32>(320, 460, 960, 540));
    EXPECT_EQ(menu->addPlayerButton->getAbsolutePosition(), irr::core::rect<irr::s32>(800, 280, 960, 360));
    EXPECT_EQ(menu->removePlayerButton->getAbsolutePosition(), irr::core::rect<irr::s32>(320, 280, 480, 360));
}
}  // namespace
