#include "Scenes/SettingsPanel.h"
#include "Entities/HumanPlayer.h"
#include "GameEngine/SettingsFile.h"
#include "Scenes/GameScene.h"
#include "Scenes/StartScene.h"
#include "Support/HeadlessGame.h"
#include "Support/RecordingSoundEngine.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

// The menu with a settings file in a folder of its own, and every sound engine a recording one.
class SettingsPanelTest : public testing::Test
{
protected:
    SettingsPanelTest() : game(withFileAndSound()) {}
    ~SettingsPanelTest() override
    {
        game.closeWindow();
        sound->drop();
        fs::remove_all(folder);
    }

    GameEngine::Settings withFileAndSound()
    {
        GameEngine::Settings settings;
        settings.driverType = irr::video::EDT_NULL;
        settings.settingsFile = &file;
        settings.openSoundEngine = [this]
        {
            sound->grab();
            return sound;
        };
        // As the command line would set it.
        settings.maxFps = 30;
        return settings;
    }
    void click(irr::gui::IGUIElement* element) { game.clickAt(element->getAbsolutePosition().getCenter()); }
    // The arrow at one end of a slider, as the player clicks it.
    void step(irr::gui::IGUIScrollBar* slider, bool up)
    {
        const irr::core::recti area = slider->getAbsolutePosition();
        const irr::s32 end = up ? area.LowerRightCorner.X - area.getHeight() / 2
                                : area.UpperLeftCorner.X + area.getHeight() / 2;
        game.clickAt({end, area.getCenter().Y});
    }
    const PlayerSettings& chosen() { return game.engine().getPlayerSettings(); }

    const fs::path folder = fs::temp_directory_path() / ("quillmarch-panel-" + std::to_string(getpid()));
    SettingsFile file{folder / "settings.ini"};
    RecordingSoundEngine* sound = new RecordingSoundEngine();
    HeadlessGame game;
};

TEST_F(SettingsPanelTest, ChangesAreHeardAndTakeEffectAtOnceAndAreSavedWhenThePanelCloses)
{
    ASSERT_TRUE(game.start(std::make_unique<StartScene>()));
    auto* menu = game.currentSceneAs<StartScene>();
    SettingsPanel& panel = *menu->settingsPanel;
    const auto menuShown = [&]
    {
        return menu->startButton->isVisible() && menu->addPlayerButton->isVisible() &&
               menu->removePlayerButton->isVisible() && menu->settingsButton->isVisible() && !panel.isShown();
    };
    EXPECT_TRUE(menuShown());
    // Opened and left with Escape without a change: nothing is written.
    click(menu->settingsButton);
    EXPECT_TRUE(panel.isShown() && !menu->startButton->isVisible() && !menu->settingsButton->isVisible());
    ASSERT_EQ(sound->plays.size(), 1u);
    EXPECT_TRUE(sound->plays[0].file == GameScene::musicPath && sound->plays[0].looped);
    game.postKey(irr::KEY_ESCAPE, true);
    game.postKey(irr::KEY_ESCAPE, false);
    EXPECT_TRUE(menuShown());
    EXPECT_EQ(sound->getReferenceCount(), 1);
    game.runFrames(3, 16);
    EXPECT_FALSE(fs::exists(folder));

    click(menu->settingsButton);
    step(panel.musicVolume, false);
    EXPECT_EQ(chosen().musicVolume, 99);
    EXPECT_EQ(sound->musicGain, PlayerSettings::gainOf(99));
    // Each change of the effects volume sounds an effect at it, no more often than a few times a second.
    const std::size_t played = sound->plays.size();
    step(panel.effectsVolume, false);
    step(panel.effectsVolume, false);
    EXPECT_EQ(chosen().effectsVolume, 98);
    EXPECT_EQ(sound->effectsGain, PlayerSettings::gainOf(98));
    EXPECT_EQ(sound->plays.size(), played + 1);
    game.runFrame(SettingsPanel::effectSampleInterval);
    step(panel.effectsVolume, true);
    ASSERT_EQ(sound->plays.size(), played + 2);
    EXPECT_TRUE(sound->plays.back().file == SettingsPanel::effectSample && !sound->plays.back().looped);
    step(panel.mouseSensitivity, true);
    EXPECT_DOUBLE_EQ(chosen().mouseSensitivity, 1.1);
    // The frame cap at once, over the command line's; fullscreen from the next start.
    click(panel.maxFpsChoices[1]);
    EXPECT_EQ(game.engine().getSettings().maxFps, 60u);
    click(panel.fullscreenChoices[1]);
    EXPECT_TRUE(chosen().fullscreen && !game.engine().getSettings().fullscreen);
    EXPECT_TRUE(panel.fullscreenChoices[1]->isPressed() && !panel.fullscreenChoices[0]->isPressed());
    click(panel.fullscreenChoices[1]);
    EXPECT_TRUE(chosen().fullscreen && panel.fullscreenChoices[1]->isPressed());
    EXPECT_FALSE(fs::exists(folder));

    click(panel.backButton);
    EXPECT_TRUE(menuShown());
    const PlayerSettings saved{99, 99, 1.1, true, 60};
    EXPECT_EQ(SettingsFile(file.getPath()).read(), saved);
    // A hidden slider takes no keys.
    game.postKey(irr::KEY_LEFT, true);
    EXPECT_EQ(chosen(), saved);

    // The next match hears the volumes and turns with the mouse as set.
    click(menu->startButton);
    auto* match = game.currentSceneAs<GameScene>();
    ASSERT_NE(match, nullptr);
    EXPECT_TRUE(sound->musicGain == PlayerSettings::gainOf(99) &&
                sound->effectsGain == PlayerSettings::gainOf(99));
    EXPECT_EQ(match->humanPlayer->mouseSensitivity, 1.1f);
}

// The window closes while the panel shows: what was changed is kept, and the command line's frame cap,
// which the player did not touch, is neither saved nor changed.
TEST_F(SettingsPanelTest, ClosingTheWindowOverThePanelSavesItsChangesAndNothingOfTheCommandLine)
{
    ASSERT_TRUE(game.start(std::make_unique<StartScene>()));
    auto* menu = game.currentSceneAs<StartScene>();
    click(menu->settingsButton);
    click(menu->settingsPanel->fullscreenChoices[1]);
    EXPECT_EQ(game.engine().getSettings().maxFps, 30u);
    game.closeWindow();
    PlayerSettings expected;
    expected.fullscreen = true;
    EXPECT_EQ(SettingsFile(file.getPath()).read(), expected);
}
}  // namespace
