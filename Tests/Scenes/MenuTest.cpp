#include "GameEngine/PlayerSettings.h"
#include "GameEngine/SettingsFile.h"
#include "GameEngine/TextAnnouncer.h"
#include "Scenes/KeyLegend.h"
#include "Scenes/MatchMenu.h"
#include "Scenes/MenuTexts.h"
#include "Scenes/ResultsPanel.h"
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

// The font a button or a text of the GUI writes with.
irr::gui::IGUIFont* fontOf(irr::gui::IGUIElement* element)
{
    if (element->getType() == irr::gui::EGUIET_BUTTON)
        return static_cast<irr::gui::IGUIButton*>(element)->getOverrideFont();
    return static_cast<irr::gui::IGUIStaticText*>(element)->getOverrideFont();
}

void expectApart(const std::vector<recti>& areas, const char* what)
{
    for (std::size_t one = 0; one < areas.size(); ++one)
        for (std::size_t other = one + 1; other < areas.size(); ++other)
            EXPECT_FALSE(areas[one].isRectCollided(areas[other])) << what << " " << one << " and " << other;
}

TEST(MenuTest, TheThreeButtonsKeepTheirPlacesWithSettingsAndQuitBelowThem)
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
        // "Quit" under "Add Player", as large as "Settings" beside it.
        const recti quit = rectOf(menu->quitButton);
        EXPECT_EQ(quit, recti(add.UpperLeftCorner.X, settings.UpperLeftCorner.Y, add.LowerRightCorner.X,
                              settings.LowerRightCorner.Y));
        expectApart({start, add, remove, settings, quit}, "button");
        EXPECT_TRUE(inside(quit, recti(0, 0, screen.Width, screen.Height)));
    }
}

// "Quit" ends the game as closing the window does; "Settings" opens the panel in place of the buttons.
TEST(MenuTest, QuitEndsTheGameAndSettingsOpensThePanel)
{
    for (const bool quit : {true, false})
    {
        GameEngine::Settings settings;
        settings.driverType = irr::video::EDT_NULL;
        settings.sound = false;
        HeadlessGame game(settings);
        ASSERT_TRUE(game.start(std::make_unique<StartScene>()));
        auto* menu = game.currentSceneAs<StartScene>();
        game.clickAt(rectOf(quit ? menu->quitButton : menu->settingsButton).getCenter());
        EXPECT_EQ(game.runFrame(16), !quit);
        if (quit)
            continue;
        EXPECT_TRUE(menu->settingsPanel->isShown() && !menu->quitButton->isVisible() &&
                    !menu->texts->titleText->isVisible());
        EXPECT_TRUE(menu->legend->texts().all().front()->isVisible());
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

    // The results over the arena, below the announcements and above the bar.
    fixture.game.runFrame(85000);
    fixture.game.runFrame(6000);
    fixture.frames(100);
    const recti results = fixture.match->resultsPanel->area();
    EXPECT_TRUE(inside(results, screen) &&
                results.LowerRightCorner.Y <= BaseGameScene::scoreBarTop(screenSize));
    // The match menu's texts and buttons in its panel.
    fixture.game.postKey(irr::KEY_ESCAPE, true);
    const recti overlay = rectOf(fixture.match->matchMenu->root);
    EXPECT_TRUE(inside(overlay, screen));
    std::vector<recti> overlayParts;
    for (irr::gui::IGUIElement* part : fixture.match->matchMenu->root->getChildren())
    {
        overlayParts.push_back(rectOf(part));
        EXPECT_TRUE(inside(overlayParts.back(), overlay) &&
                    fits(fontOf(part), part->getText(), overlayParts.back()))
            << irr::core::stringc(part->getText()).c_str();
    }
    expectApart(overlayParts, "match menu");
    fixture.game.runFrame(3000);
    fixture.frames(1);
    auto* menu = fixture.game.currentSceneAs<StartScene>();
    ASSERT_NE(menu, nullptr);
    // Buttons, the count, the title, the count's caption, the last match's line and every text of the key
    // legend: each on the screen, fitting its place, none overlapping another.
    std::vector<recti> buttons;
    std::vector<irr::gui::IGUIElement*> shown = {
        menu->startButton, menu->addPlayerButton,  menu->removePlayerButton, menu->settingsButton,
        menu->quitButton,  menu->texts->titleText, menu->texts->caption,     menu->texts->resultLine};
    const std::vector<irr::gui::IGUIElement*>& legend = menu->legend->texts().all();
    shown.insert(shown.end(), legend.begin(), legend.end());
    for (irr::gui::IGUIElement* element : shown)
    {
        ASSERT_NE(element, nullptr);
        buttons.push_back(rectOf(element));
        EXPECT_TRUE(inside(buttons.back(), screen)) << irr::core::stringc(element->getText()).c_str();
        EXPECT_TRUE(fits(fontOf(element), element->getText(), buttons.back()))
            << irr::core::stringc(element->getText()).c_str();
    }
    buttons.push_back(menu->countArea());
    expectApart(buttons, "menu");
    EXPECT_GE(menu->texts->titleText->getOverrideFont()->getDimension(MenuTexts::title).Height, 64 * scale);

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
