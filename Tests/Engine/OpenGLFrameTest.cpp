#include "GameEngine/TextAnnouncer.h"
#include "Support/HeadlessGame.h"
#include "Support/Screenshot.h"

#include <gtest/gtest.h>

namespace
{
class AnnouncingScene : public BaseScene
{
public:
    bool init() override
    {
        BaseScene::init();
        announcer.init(this);
        announcer.announce(L"Quillmarch", irr::video::SColor(0xFFFF0000));
        return true;
    }
    void draw() override
    {
        BaseScene::draw();
        announcer.draw(frameDelta, totalTime);
    }

    TextAnnouncer announcer;
};

bool isRed(irr::video::SColor color)
{
    return color.getRed() > 150 && color.getGreen() < 100 && color.getBlue() < 100;
}

TEST(OpenGLFrameTest, DrawsAnAnnouncementOverTheClearColour)
{
    HeadlessGame game({1920, 1080}, irr::video::EDT_OPENGL);
    ASSERT_TRUE(game.start(std::make_unique<AnnouncingScene>()));
    ASSERT_EQ(game.engine().driver->getDriverType(), irr::video::EDT_OPENGL);
    ASSERT_TRUE(game.runFrame(16));

    Screenshot frame(game.device(), "announcement");
    ASSERT_TRUE(frame.valid());
    ASSERT_EQ(frame.size(), irr::core::dimension2du(1920, 1080));
    const irr::video::SColor clear(255, 70, 70, 70);
    EXPECT_EQ(frame.pixel(5, 5), clear);
    EXPECT_EQ(frame.pixel(1900, 1000), clear);
    EXPECT_GT(frame.pixelsOtherThan(clear), 0u);
    // The text is red, in the middle of the screen, its top at row 200.
    EXPECT_GT(frame.countPixels(isRed), 50u);
    for (irr::u32 y = 0; y < 1080; ++y)
        for (irr::u32 x = 0; x < 1920; ++x)
            if (isRed(frame.pixel(x, y)))
            {
                ASSERT_GE(y, 195u);
                ASSERT_LT(y, 260u);
                ASSERT_GT(x, 760u);
                ASSERT_LT(x, 1160u);
            }
}
}  // namespace
