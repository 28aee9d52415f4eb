#include "GameEngine/TextAnnouncer.h"
#include "Support/HeadlessGame.h"
#include "Support/RecordingFont.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
const irr::video::SColor red(0xFFFF0000);

class TextAnnouncerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(game.start(std::make_unique<BaseScene>()));
        announcer.init(game.engine().getCurrentScene());
        announcer.font = &font;
    }

    // One draw of the announcer, returning the rows it drew at.
    std::vector<int> drawRows(double frameDelta)
    {
        font.calls.clear();
        announcer.draw(frameDelta, 0.0f);
        std::vector<int> rows;
        for (const auto& call : font.calls)
            rows.push_back(call.position.UpperLeftCorner.Y);
        return rows;
    }

    HeadlessGame game;
    RecordingFont font;
    TextAnnouncer announcer;
};

TEST_F(TextAnnouncerTest, StacksMessagesDownFromRow200AndDrawsThemCentredNewestFirst)
{
    announcer.announce(L"Only 10 seconds left!", red);
    announcer.announce(L"second", red);
    announcer.announce(L"third", red);
    EXPECT_EQ(drawRows(0), (std::vector<int>{250, 225, 200}));
    const auto& oldest = font.calls[2];
    EXPECT_EQ(oldest.text, irr::core::stringw(L"Only 10 seconds left!"));
    EXPECT_EQ(oldest.position, irr::core::rect<irr::s32>(1920, 200, 0, 0));
    EXPECT_TRUE(oldest.horizontallyCentred);
    EXPECT_FALSE(oldest.verticallyCentred);
}

TEST_F(TextAnnouncerTest, ANewMessageTakesItsRowFromTheCountAtItsArrival)
{
    announcer.announce(L"first", red);
    drawRows(1000);
    announcer.announce(L"second", red);
    drawRows(1000);
    ASSERT_EQ(announcer.getMessages().size(), 1u);

    announcer.announce(L"third", red);
    // The third shares the second's row while both are on screen.
    EXPECT_EQ(announcer.getMessages()[1].top, 225.0f);
    EXPECT_EQ(announcer.getMessages()[0].top, 225.0f);
}

TEST_F(TextAnnouncerTest, StandsStillThenRisesAndVanishesAtTwoSecondsAgedOnlyByFramesOfASecondAtMost)
{
    announcer.announce(L"message", red);
    EXPECT_EQ(drawRows(1001), (std::vector<int>{200}));
    EXPECT_EQ(announcer.getMessages()[0].age, 0.0f);
    EXPECT_EQ(drawRows(800), (std::vector<int>{200}));
    EXPECT_EQ(drawRows(600), (std::vector<int>{140}));  // age 1400: 60 pixels up
    EXPECT_EQ(drawRows(599), (std::vector<int>{80}));   // age 1999: almost the full 120
    EXPECT_EQ(drawRows(1), (std::vector<int>{}));       // age 2000: removed without a draw
    EXPECT_TRUE(announcer.getMessages().empty());
}

TEST_F(TextAnnouncerTest, ColourZeroIsOpaqueWhiteAndOtherColoursKeepTheirAlphaForLife)
{
    announcer.announce(L"white", irr::video::SColor(0));
    announcer.announce(L"half", irr::video::SColor(128, 0, 255, 0));
    for (double frame : {0.0, 1500.0})
    {
        drawRows(frame);
        ASSERT_EQ(font.calls.size(), 2u);
        EXPECT_EQ(font.calls[1].color.color, 0xFFFFFFFFu);
        EXPECT_EQ(font.calls[0].color.color, irr::video::SColor(128, 0, 255, 0).color);
    }
}

TEST(TextAnnouncerFontTest, FallsBackToTheBuiltInFontWhenItsFontIsMissing)
{
    HeadlessGame game;
    ASSERT_TRUE(game.start(std::make_unique<BaseScene>()));
    const auto testDirectory = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());

    TextAnnouncer announcer;
    EXPECT_TRUE(announcer.init(game.engine().getCurrentScene()));
    std::filesystem::current_path(testDirectory);

    EXPECT_EQ(announcer.font, game.device()->getGUIEnvironment()->getBuiltInFont());
    // A font that can measure the text is one that can draw it.
    EXPECT_GT(announcer.font->getDimension(L"still drawn").Width, 0u);
    announcer.announce(L"still drawn", 0);
    announcer.draw(16, 0);
    EXPECT_EQ(announcer.getMessages().size(), 1u);
}
}  // namespace
