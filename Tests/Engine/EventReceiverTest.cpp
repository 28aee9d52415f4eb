#include "GameEngine/EventReceiver.h"
#include "Support/HeadlessGame.h"

#include <gtest/gtest.h>

namespace
{
class EventReceiverTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(game.start(std::make_unique<BaseScene>())); }

    const EventReceiver& keys() { return game.engine().eventReceiver; }

    HeadlessGame game;
};

TEST_F(EventReceiverTest, AKeyIsDownFromItsPressUntilItsReleaseAndOnlyKeysCount)
{
    for (int key = 0; key < irr::KEY_KEY_CODES_COUNT; ++key)
        ASSERT_FALSE(keys().isKeyDown(static_cast<irr::EKEY_CODE>(key))) << key;
    game.postKey(irr::KEY_KEY_W, true);
    game.runFrames(5, 16);
    game.postKey(irr::KEY_KEY_W, true);  // the keyboard repeats a held key
    EXPECT_TRUE(keys().isKeyDown(irr::KEY_KEY_W));
    EXPECT_FALSE(keys().isKeyDown(irr::KEY_KEY_S));
    game.postKey(irr::KEY_KEY_W, false);
    EXPECT_FALSE(keys().isKeyDown(irr::KEY_KEY_W));

    // Pressed and released within one frame, a key is up when the frame looks.
    game.postKey(irr::KEY_SPACE, true);
    game.postKey(irr::KEY_SPACE, false);
    game.runFrame(16);
    EXPECT_FALSE(keys().isKeyDown(irr::KEY_SPACE));
    game.clickAt({100, 100});
    EXPECT_FALSE(keys().isKeyDown(irr::KEY_LBUTTON));
}

TEST(EventReceiverOnEventTest, LetsEveryEventGoOnToTheGui)
{
    EventReceiver receiver;
    irr::SEvent key{};
    key.EventType = irr::EET_KEY_INPUT_EVENT;
    key.KeyInput.Key = irr::KEY_KEY_A;
    key.KeyInput.PressedDown = true;
    EXPECT_FALSE(receiver.OnEvent(key));
    EXPECT_TRUE(receiver.isKeyDown(irr::KEY_KEY_A));

    irr::SEvent gui{};
    gui.EventType = irr::EET_GUI_EVENT;
    gui.GUIEvent.EventType = irr::gui::EGET_BUTTON_CLICKED;
    EXPECT_FALSE(receiver.OnEvent(gui));
}
}  // namespace
