#include "GameEngine/TextAnnouncer.h"
#include "Support/HeadlessGame.h"
#include "Support/RecordingFont.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
TEST(TextAnnouncerTest, StacksMessagesDownFromRow200CentredNewestFirstAndTheyRiseAndVanishAtTwoSeconds)
{
    HeadlessGame game;
    ASSERT_TRUE(game.start(std::make_unique<BaseScene>()));
    RecordingFont font;
    TextAnnouncer announcer;
    announcer.init(game.engine().getCurrentScene());
    announcer.font = &font;
    // One draw of the announcer, returning the rows it drew at.
    const auto drawRows = [&](double frameDelta)
    {
        font.calls.clear();
        announcer.draw(frameDelta, 0.0f);
        std::vector<int> rows;
        for (const auto& call : font.calls)
            rows.push_back(call.position.UpperLeftCorner.Y);
        return rows;
    };
    const irr::video::SColor white(0xFFFFFFFF), halfGreen(128, 0, 255, 0);
    // Colour 0 would be invisible: it is shown opaque white.
    announcer.announce(L"Only 10 seconds left!", 0);
    announcer.announce(L"second", halfGreen);
    announcer.announce(L"third", 0xFFFF0000);
    EXPECT_EQ(drawRows(0), (std::vector<int>{250, 225, 200}));
    const auto& oldest = font.calls[2];
    EXPECT_EQ(oldest.text, irr::core::stringw(L"Only 10 seconds left!"));
    EXPECT_EQ(oldest.position, irr::core::rect<irr::s32>(1920, 200, 0, 0));
    EXPECT_TRUE(oldest.horizontallyCentred && !oldest.verticallyCentred);
    EXPECT_TRUE(oldest.color == white && font.calls[1].color == halfGreen);

    // A frame of more than a second (the first after a scene change) does not age them.
    EXPECT_EQ(drawRows(1001), (std::vector<int>{250, 225, 200}));
    EXPECT_EQ(drawRows(800), (std::vector<int>{250, 225, 200}));
    EXPECT_EQ(drawRows(600), (std::vector<int>{190, 165, 140}));  // age 1400: 60 pixels up
    EXPECT_TRUE(font.calls[2].color == white && font.calls[1].color == halfGreen);
    EXPECT_EQ(drawRows(599), (std::vector<int>{130, 105, 80}));  // age 1999: almost the full 120
    EXPECT_EQ(drawRows(1), (std::vector<int>{}));                // age 2000: removed without a draw
    EXPECT_TRUE(announcer.getMessages().empty());
}

TEST(TextAnnouncerTest, FallsBackToTheBuiltInFontWhenItsFontIsMissing)
{
    HeadlessGame game;
    ASSERT_TRUE(game.start(std::make_unique<BaseScene>()));
    const auto testDirectory = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    TextAnnouncer announcer;
    EXPECT_TRUE(announcer.init(game.engine().getCurrentScene()));
    std::filesystem::current_path(testDirectory);

    EXPECT_EQ(announcer.font, game.device()->getGUIEnvironment()->getBuiltInFont());
    announcer.announce(L"still drawn", 0);
    announcer.draw(16, 0);
    EXPECT_EQ(announcer.getMessages().size(), 1u);
}
}  // namespace
