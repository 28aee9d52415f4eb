#include "GameEngine/PlayerSettings.h"
#include "GameEngine/SettingsFile.h"
#include "GameEngine/TextAnnouncer.h"
#include "Scenes/SettingsPanel.h"
#include "Scenes/StartScene.h"
#include "Support/ConsoleCapture.h"
#include "Support/MatchFixture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace irr::core
{
// Screen sizes in the test names and messages.
inline void PrintTo(const dimension2du& size, std::ostream* out)
{
    *out << size.Width << "x" << size.Height;
}
}  // namespace irr::core

namespace
{
using irr::core::dimension2du;
using irr::core::recti;

recti rectOf(irr::gui::IGUIElement* element)
{
    return element->getAbsolutePosition();
}

bool inside(const recti& inner, const recti& outer)
{
    return outer.isPointInside(inner.UpperLeftCorner) &&
           outer.isPointInside(inner.LowerRightCorner - irr::core::position2di(1, 1));
}

// Whether `text` in `font` fits into `area`, as the GUI draws it there.
bool fits(irr::gui::IGUIFont* font, const wchar_t* text, const recti& area)
{
    const dimension2du size = font->getDimension(text);
    return static_cast<irr::s32>(size.Width) <= area.getWidth() &&
           static_cast<irr::s32>(size.Height) <= area.getHeight();
}

void expectApart(const std::vector<recti>& areas, const char* what)
{
    for (std::size_t one = 0; one < areas.size(); ++one)
        for (std::size_t other = one + 1; other < areas.size(); ++other)
            EXPECT_FALSE(areas[one].isRectCollided(areas[other])) << what << " " << one << " and " << other;
}

TEST(MenuTest, TheThreeButtonsKeepTheirPlacesAndSettingsLeavesRoomForOneMoreBesideIt)
{
    for (const auto& [screen, start, add, remove] :
         {std::tuple(dimension2du(1920, 1080), recti(480, 640, 1440, 720), recti(1200, 460, 1440, 540),
                     recti(480, 460, 720, 540)),
          std::tuple(dimension2du(1280, 720), recti(320, 460, 960, 540), recti(800, 280, 960, 360),
                     recti(320, 280, 480, 360))})
    {
        HeadlessGame game(screen);
        ASSERT_TRUE(game.start(std::make_unique<StartScene>()));
        auto* menu = game.currentSceneAs<StartScene>();
        EXPECT_EQ(rectOf(menu->startButton), start);
        EXPECT_EQ(rectOf(menu->addPlayerButton), add);
        EXPECT_EQ(rectOf(menu->removePlayerButton), remove);
        const recti settings = rectOf(menu->settingsButton);
        EXPECT_TRUE(settings.UpperLeftCorner.X == remove.UpperLeftCorner.X &&
                    settings.LowerRightCorner.X == remove.LowerRightCorner.X &&
                    settings.UpperLeftCorner.Y > start.LowerRightCorner.Y);
        // Where "Add Player" stands above, under "Start Game", a button as large as this one overlaps
        // nothing.
        const recti free(add.UpperLeftCorner.X, settings.UpperLeftCorner.Y, add.LowerRightCorner.X,
                         settings.LowerRightCorner.Y);
        expectApart({start, add, remove, settings, free}, "button");
        EXPECT_TRUE(inside(free, recti(0, 0, screen.Width, screen.Height)));
    }
}

// From the smallest window to a 4K screen: everything on the screen, nothing overlapping, every text fitting
// its place, the text never smaller than on a 1080-line screen and larger on a taller one, and every font
// there.
class ScreenSizeTest : public testing::TestWithParam<dimension2du>
{
};

TEST_P(ScreenSizeTest, MenuPanelAndMatchDisplayFitAndRead)
{
    const dimension2du screenSize = GetParam();
    const recti screen(0, 0, screenSize.Width, screenSize.Height);
    ConsoleCapture console;
    GameEngine::Settings settings = MatchFixture::headless();
    settings.windowSize = screenSize;
    settings.sound = false;
    MatchFixture fixture(1, false, settings);
    ASSERT_TRUE(fixture.started);
    // The match display: the clock's text in its box, the bar at the bottom, an announcement within the
    // width.
    const recti clock = BaseGameScene::clockBox(screenSize);
    EXPECT_TRUE(inside(clock, screen) && fits(fixture.match->font, L"Time left: 90", clock));
    EXPECT_TRUE(BaseGameScene::scoreBarTop(screenSize) > clock.LowerRightCorner.Y &&
                BaseGameScene::scoreBarTop(screenSize) < static_cast<irr::s32>(screenSize.Height));
    EXPECT_TRUE(fits(fixture.match->announcer->font, L"Player 4 captured a camp of Player 1!", screen));
    const irr::u32 lineHeight = fixture.match->font->getDimension(L"Time left: 90").Height;
    const float scale = screenSize.Height >= 2160 ? 2.0f : 1.0f;
    EXPECT_GE(lineHeight, 18 * scale) << "the clock's font";

    fixture.game.runFrame(93001);
    fixture.frames(1);
    auto* menu = fixture.game.currentSceneAs<StartScene>();
    ASSERT_NE(menu, nullptr);
    std::vector<recti> buttons;
    for (irr::gui::IGUIButton* button :
         {menu->startButton, menu->addPlayerButton, menu->removePlayerButton, menu->settingsButton})
    {
        buttons.push_back(rectOf(button));
        EXPECT_TRUE(inside(buttons.back(), screen)) << irr::core::stringc(button->getText()).c_str();
        EXPECT_TRUE(fits(button->getOverrideFont(), button->getText(), buttons.back()));
    }
    const dimension2du count = menu->countFont->getDimension(L"4");
    const irr::core::position2di countAt(screenSize.Width / 2,
                                         static_cast<irr::s32>(screenSize.Height * 0.4f));
    buttons.emplace_back(countAt, countAt + irr::core::position2di(count.Width, count.Height));
    expectApart(buttons, "menu");

    fixture.game.clickAt(rectOf(menu->settingsButton).getCenter());
    SettingsPanel& panel = *menu->settingsPanel;
    ASSERT_TRUE(panel.isShown());
    const recti area = rectOf(panel.root);
    EXPECT_TRUE(inside(area, screen));
    std::vector<recti> parts;
    for (irr::gui::IGUIElement* part : panel.root->getChildren())
    {
        parts.push_back(rectOf(part));
        EXPECT_TRUE(inside(parts.back(), area)) << irr::core::stringc(part->getText()).c_str();
    }
    expectApart(parts, "panel");
    for (irr::gui::IGUIStaticText* text : panel.texts)
        EXPECT_TRUE(fits(text->getOverrideFont(), text->getText(), rectOf(text)))
            << irr::core::stringc(text->getText()).c_str();
    using Buttons = std::vector<irr::gui::IGUIButton*>;
    for (const Buttons& choices : {panel.fullscreenChoices, panel.maxFpsChoices, Buttons{panel.backButton}})
        for (irr::gui::IGUIButton* choice : choices)
            EXPECT_TRUE(fits(choice->getOverrideFont(), choice->getText(), rectOf(choice)));
    EXPECT_GE(panel.texts.front()->getOverrideFont()->getDimension(L"Settings").Height, 22 * scale);
    for (const std::string& line : console.reportLines())
        EXPECT_EQ(line.find("Font"), std::string::npos) << line;
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScreenSizeTest,
                         testing::Values(dimension2du(1024, 576), dimension2du(1216, 684),
                                         dimension2du(1920, 1080), dimension2du(2560, 1440),
                                         dimension2du(3840, 2160)),
                         [](const testing::TestParamInfo<dimension2du>& info) {
                             return std::to_string(info.param.Width) + "x" +
                                    std::to_string(info.param.Height);
                         });
}  // namespace
