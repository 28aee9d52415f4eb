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

    bool click(irr::gui::IGUIButton* button) { return game.postButtonClicked(button); }

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
    EXPECT_FALSE(call.horizontallyCentred);
    EXPECT_FALSE(call.verticallyCentred);
    EXPECT_TRUE(game.device()->getCursorControl()->isVisible());
}

TEST_F(StartSceneTest, AddingStopsAtFourAndTheClickIsStillHandled)
{
    for (int click = 0; click < 3; ++click)
        EXPECT_TRUE(this->click(menu->addPlayerButton));
    EXPECT_EQ(shownCount(), L"4");
    EXPECT_TRUE(click(menu->addPlayerButton));
    EXPECT_EQ(shownCount(), L"4");
}

TEST_F(StartSceneTest, RemovingStopsAtOneAndTheClickIsStillHandled)
{
    EXPECT_TRUE(click(menu->removePlayerButton));
    EXPECT_EQ(shownCount(), L"1");
    click(menu->addPlayerButton);
    click(menu->addPlayerButton);
    EXPECT_TRUE(click(menu->removePlayerButton));
    EXPECT_EQ(shownCount(), L"2");
}

TEST_F(StartSceneTest, AMouseClickOnAButtonReachesTheMenu)
{
    game.clickAt(menu->addPlayerButton->getAbsolutePosition().getCenter());
    EXPECT_EQ(shownCount(), L"2");
}

TEST_F(StartSceneTest, OtherEventsGoOnToTheGuiAndChangeNothing)
{
    irr::SEvent hovered{};
    hovered.EventType = irr::EET_GUI_EVENT;
    hovered.GUIEvent.Caller = menu->addPlayerButton;
    hovered.GUIEvent.EventType = irr::gui::EGET_ELEMENT_HOVERED;
    EXPECT_FALSE(menu->receiver->OnEvent(hovered));

    irr::SEvent unknownButton = hovered;
    unknownButton.GUIEvent.EventType = irr::gui::EGET_BUTTON_CLICKED;
    irr::gui::IGUIButton* other =
        game.device()->getGUIEnvironment()->addButton({0, 0, 10, 10}, nullptr, 999, L"other");
    unknownButton.GUIEvent.Caller = other;
    EXPECT_FALSE(menu->receiver->OnEvent(unknownButton));

    EXPECT_FALSE(game.postKey(irr::KEY_SPACE, true));
    irr::SEvent mouse{};
    mouse.EventType = irr::EET_MOUSE_INPUT_EVENT;
    mouse.MouseInput.Event = irr::EMIE_MOUSE_MOVED;
    EXPECT_FALSE(menu->receiver->OnEvent(mouse));
    EXPECT_EQ(shownCount(), L"1");
}

TEST_F(StartSceneTest, StartGameHandsTheChosenCountToANewMatchAndRemovesTheButtons)
{
    click(menu->addPlayerButton);
    click(menu->addPlayerButton);
    irr::gui::IGUIElement* root = game.device()->getGUIEnvironment()->getRootGUIElement();
    ASSERT_NE(root->getElementFromId(StartScene::startButtonId), nullptr);

    EXPECT_TRUE(click(menu->startButton));

    auto* match = game.currentSceneAs<GameScene>();
    ASSERT_NE(match, nullptr);
    EXPECT_EQ(match->aiPlayerCount, 3u);
    for (irr::s32 id :
         {StartScene::startButtonId, StartScene::addPlayerButtonId, StartScene::removePlayerButtonId})
        EXPECT_EQ(root->getElementFromId(id), nullptr) << id;
    EXPECT_TRUE(game.runFrames(3, 16));
}

TEST_F(StartSceneTest, AClickedStartButtonDoesNotStayBehindToTakeTheKeys)
{
    game.clickAt(menu->startButton->getAbsolutePosition().getCenter());
    ASSERT_NE(game.currentSceneAs<GameScene>(), nullptr);
    game.runFrame(16);
    EXPECT_EQ(game.device()->getGUIEnvironment()->getFocus(), nullptr);
    // Nothing in the GUI swallows the keys meant for the player.
    EXPECT_FALSE(game.postKey(irr::KEY_SPACE, true));
    EXPECT_FALSE(game.postKey(irr::KEY_SPACE, false));
}

struct ButtonLayout
{
    std::string name;
    irr::core::dimension2du screen;
    irr::core::rect<irr::s32> start;
    irr::core::rect<irr::s32> add;
    irr::core::rect<irr::s32> remove;
};

void PrintTo(const ButtonLayout& layout, std::ostream* out)
{
    *out << layout.name;
}

class StartSceneLayoutTest : public ::testing::TestWithParam<ButtonLayout>
{
};

TEST_P(StartSceneLayoutTest, ButtonsSitAroundTheMiddleOfTheScreen)
{
    const ButtonLayout& layout = GetParam();
    HeadlessGame game(layout.screen);
    auto scene = std::make_unique<StartScene>();
    StartScene* menu = scene.get();
    ASSERT_TRUE(game.start(std::move(scene)));
    EXPECT_EQ(menu->startButton->getAbsolutePosition(), layout.start);
    EXPECT_EQ(menu->addPlayerButton->getAbsolutePosition(), layout.add);
    EXPECT_EQ(menu->removePlayerButton->getAbsolutePosition(), layout.remove);
    EXPECT_EQ(std::wstring(menu->startButton->getText()), L"Start Game");
    EXPECT_EQ(std::wstring(menu->addPlayerButton->getText()), L"Add Player");
    EXPECT_EQ(std::wstring(menu->removePlayerButton->getText()), L"Remove Player");
}

INSTANTIATE_TEST_SUITE_P(
    Screens, StartSceneLayoutTest,
    ::testing::Values(
        ButtonLayout{
            "FullHd", {1920, 1080}, {480, 640, 1440, 720}, {1200, 460, 1440, 540}, {480, 460, 720, 540}},
        ButtonLayout{"Hd", {1280, 720}, {320, 460, 960, 540}, {800, 280, 960, 360}, {320, 280, 480, 360}}),
    [](const ::testing::TestParamInfo<ButtonLayout>& info) { return info.param.name; });
}  // namespace
