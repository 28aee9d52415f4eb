#include "GameEngine/EventReceiver.h"
#include "Support/HeadlessGame.h"

#include <gtest/gtest.h>

namespace
{
TEST(EventReceiverTest, AKeyIsDownFromItsPressUntilItsReleaseAndOnlyKeysCount)
{
    HeadlessGame game;
    ASSERT_TRUE(game.start(std::make_unique<BaseScene>()));
    const EventReceiver& keys = game.engine().eventReceiver;
    for (int key = 0; key < irr::KEY_KEY_CODES_COUNT; ++key)
        ASSERT_FALSE(keys.isKeyDown(static_cast<irr::EKEY_CODE>(key))) << key;
    game.postKey(irr::KEY_KEY_W, true);
    game.runFrames(5, 16);
    game.postKey(irr::KEY_KEY_W, true);  // the keyboard repeats a held key
    EXPECT_TRUE(keys.isKeyDown(irr::KEY_KEY_W));
    EXPECT_FALSE(keys.isKeyDown(irr::KEY_KEY_S));
    EXPECT_FALSE(game.postKey(irr::KEY_KEY_W, false));  // nor kept from the GUI
    EXPECT_FALSE(keys.isKeyDown(irr::KEY_KEY_W));

    // Pressed and released within one frame, a key is up when the frame looks.
    game.postKey(irr::KEY_SPACE, true);
    game.postKey(irr::KEY_SPACE, false);
    game.runFrame(16);
    EXPECT_FALSE(keys.isKeyDown(irr::KEY_SPACE));
    game.clickAt({100, 100});
    EXPECT_FALSE(keys.isKeyDown(irr::KEY_LBUTTON));
}
}  // namespace
