#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "Scenes/GameScene.h"
#include "Scenes/StartScene.h"
#include "Support/ConsoleCapture.h"
#include "Support/HeadlessGame.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <tuple>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

// A copy of the assets without one model, and a folder `Run` beside them to start the game from.
fs::path assetsWithout(const std::string& model)
{
    const fs::path root =
        fs::temp_directory_path() / ("quillmarch-" + std::to_string(getpid()) + "-" + model);
    fs::create_directories(root / "Run");
    fs::copy(fs::canonical("../Assets"), root / "Assets", fs::copy_options::recursive);
    fs::remove(root / "Assets" / "Models" / model);
    return root;
}

// Without the dragon the match cannot be played and the menu comes back; without any other model it goes on.
TEST(MissingModelTest, IsReportedAndNothingCrashes)
{
    const fs::path home = fs::current_path();
    for (const auto& [file, error, warning] :
         std::initializer_list<std::tuple<std::string, std::string, std::string>>{
             {"dragon.obj", "ERROR: The dragon's model could not be loaded: ../Assets/Models/dragon.obj",
              "WARNING: Could not create human player."},
             {"orc.obj", "ERROR: The orc's model could not be loaded: ../Assets/Models/orc.obj",
              "WARNING: Could not create new AI player"},
             {"simpleCube.obj", "ERROR: Mesh could not be loaded", "WARNING: Could not create unit"},
             {"newCamp.obj", "ERROR: Mesh could not be loaded", "WARNING: Could not create camp"}})
    {
        const fs::path root = assetsWithout(file);
        fs::current_path(root / "Run");
        {
            GameEngine::Settings settings;
            settings.driverType = irr::video::EDT_NULL;
            settings.sound = false;
            HeadlessGame game(settings);
            auto menu = std::make_unique<StartScene>();
            StartScene* firstMenu = menu.get();
            ConsoleCapture console;
            ASSERT_TRUE(game.start(std::move(menu)));
            game.postButtonClicked(firstMenu->startButton);
            GameScene* match = game.currentSceneAs<GameScene>();
            EXPECT_EQ(match == nullptr, file == "dragon.obj");
            if (match && !match->units.empty())
            {
                match->units.front()->pickUp(match->humanPlayer.get());
                match->humanPlayer->campAction();
            }
            EXPECT_TRUE(game.runFrames(3, 16)) << file;
            EXPECT_THAT(console.reportLines(), ::testing::IsSupersetOf({error, warning})) << file;
            game.closeWindow();
        }
        fs::current_path(home);
        fs::remove_all(root);
    }
}
}  // namespace
