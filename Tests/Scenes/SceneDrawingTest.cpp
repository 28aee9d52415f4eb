#include "Scenes/StartScene.h"
#include "Support/HeadlessGame.h"
#include "Support/Screenshot.h"

#include <gtest/gtest.h>

namespace
{
const irr::video::SColor clearColor(255, 70, 70, 70);

// The share of the screen that is not the clear colour.
double coveredShare(const Screenshot& frame)
{
    const double pixels = static_cast<double>(frame.size().Width) * frame.size().Height;
    return frame.pixelsOtherThan(clearColor) / pixels;
}

TEST(SceneDrawingTest, TheMenuIsDrawnWithOpenGL)
{
    HeadlessGame game({1920, 1080}, irr::video::EDT_OPENGL);
    auto scene = std::make_unique<StartScene>();
    StartScene* menu = scene.get();
    ASSERT_TRUE(game.start(std::move(scene)));
    ASSERT_TRUE(game.runFrame(16));
    Screenshot frame(game.device(), "menu");
    ASSERT_TRUE(frame.valid());
    // The buttons cover about a tenth of the screen; the corners stay clear.
    EXPECT_GT(coveredShare(frame), 0.05);
    EXPECT_EQ(frame.pixel(10, 10), clearColor);
    const irr::core::position2di middleOfStart = menu->startButton->getAbsolutePosition().getCenter();
    EXPECT_NE(
        frame.pixel(static_cast<irr::u32>(middleOfStart.X) - 200, static_cast<irr::u32>(middleOfStart.Y)),
        clearColor);
}
}  // namespace
