#include "External/AIInfluenceMap.h"
#include "GameEngine/TextAnnouncer.h"
#include "Scenes/StartScene.h"
#include "Support/ConsoleCapture.h"
#include "Support/HeadlessGame.h"
#include "Support/TestMatch.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
namespace fs = std::filesystem;

class MatchSetupTest : public ::testing::Test
{
protected:
    void TearDown() override { sound->drop(); }

    // Starts the game on the menu, then changes to the match as "Start Game" would.
    bool startMatch(std::unique_ptr<TestMatch> scene)
    {
        match = scene.get();
        if (!game.start(std::make_unique<StartScene>()))
            return false;
        return game.engine().changeScene(std::move(scene));
    }

    HeadlessGame game;
    RecordingSoundEngine* sound = new RecordingSoundEngine();
    TestMatch* match = nullptr;
};

TEST_F(MatchSetupTest, LogsItsStepsInOrderAndStartsTheMusic)
{
    ConsoleCapture console;
    ASSERT_TRUE(startMatch(std::make_unique<TestMatch>(sound)));
    const std::vector<std::string> lines = console.lines();

    std::vector<std::string> ours;
    for (const std::string& line : lines)
        if (line == "Finished" || line.rfind("MESSAGE: ", 0) == 0 || line.rfind("ERROR: ", 0) == 0)
            ours.push_back(line);
    EXPECT_EQ(ours, (std::vector<std::string>{"MESSAGE: Initialize the main menu scene", "Finished",
                                              "MESSAGE: Initialize the game scene"}));
    ASSERT_EQ(sound->plays.size(), 1u);
    EXPECT_EQ(sound->plays[0].file, "../Assets/Audio/Background.wav");
    EXPECT_FALSE(sound->plays[0].placed);
    EXPECT_TRUE(sound->plays[0].looped);
}

TEST_F(MatchSetupTest, HoldsTheColourTableAnEmptyRegistryAndTheAnnouncer)
{
    ASSERT_TRUE(startMatch(std::make_unique<TestMatch>(sound, 3)));
    ASSERT_EQ(match->playerColors.size(), 13u);
    const irr::video::SColorf human = match->playerColors[0];
    EXPECT_EQ(human.toSColor(), irr::video::SColor(128, 255, 255, 255));
    EXPECT_EQ(match->playerColors[2].toSColor(), irr::video::SColorf(0.49f, 0.82f, 0.1f, 1.0f).toSColor());
    EXPECT_EQ(match->playerColors[5].toSColor(), irr::video::SColor(255, 255, 189, 0));
    EXPECT_EQ(match->playerColors[12].toSColor(), irr::video::SColorf(0.16f, 0.9f, 0.9f, 1.0f).toSColor());

    EXPECT_TRUE(match->getCamps().empty());
    EXPECT_TRUE(match->getPlayers().empty());
    EXPECT_EQ(match->getHumanPlayer(), nullptr);
    ASSERT_EQ(match->entities.size(), 1u);
    EXPECT_EQ(match->entities[0], match->announcer);
    EXPECT_NE(match->getAIWorld(), nullptr);
    EXPECT_EQ(match->getAIWorld()->driver, game.engine().driver);
    EXPECT_NE(match->getAIWorld()->getNavigationMesh(), nullptr);
    EXPECT_NE(match->font, nullptr);
    EXPECT_EQ(match->aiPlayerCount, 3u);
}

TEST_F(MatchSetupTest, LooksAtTheArenaThroughItsCameraWithTheCursorHidden)
{
    ASSERT_TRUE(startMatch(std::make_unique<TestMatch>(sound)));
    irr::scene::ICameraSceneNode* camera = game.device()->getSceneManager()->getActiveCamera();
    ASSERT_NE(camera, nullptr);
    EXPECT_FLOAT_EQ(camera->getFarValue(), 400.0f);
    EXPECT_EQ(camera->getPosition(), irr::core::vector3df(1, 0, 0));
    EXPECT_EQ(camera->getTarget(), irr::core::vector3df(0, 0, 0));
    EXPECT_FALSE(game.device()->getCursorControl()->isVisible());
    EXPECT_EQ(game.device()->getSceneManager()->getShadowColor(), irr::video::SColor(150, 0, 0, 0));
}

TEST_F(MatchSetupTest, BuildsTheLevelNodeWithItsSelectorAndTheHiddenSpotNode)
{
    ASSERT_TRUE(startMatch(std::make_unique<TestMatch>(sound)));
    irr::scene::IMeshSceneNode* level = match->levelNode;
    ASSERT_NE(level, nullptr);
    ASSERT_NE(match->levelSelector, nullptr);
    EXPECT_EQ(level->getTriangleSelector(), match->levelSelector);
    EXPECT_GT(match->levelSelector->getTriangleCount(), 0);
    for (irr::u32 index = 0; index < level->getMaterialCount(); ++index)
    {
        EXPECT_FALSE(level->getMaterial(index).Lighting);
        EXPECT_NE(level->getMaterial(index).getTexture(0), nullptr);
    }
    EXPECT_EQ(level->getMaterial(0).SpecularColor.color, 0u);
    EXPECT_EQ(level->getAutomaticCulling(), irr::scene::EAC_FRUSTUM_BOX);

    ASSERT_NE(match->unitSpotNode, nullptr);
    EXPECT_FALSE(match->unitSpotNode->isVisible());
    EXPECT_GT(match->unitSpotNode->getMesh()->getMeshBuffer(0)->getVertexCount(), 2u);
}

TEST_F(MatchSetupTest, MakesADistanceMapAndAnInfluenceMapOfTheArena)
{
    ASSERT_TRUE(startMatch(std::make_unique<TestMatch>(sound)));
    ASSERT_NE(match->distanceMap, nullptr);
    ASSERT_NE(match->influenceMap, nullptr);
    EXPECT_EQ(match->distanceMap->getDataSize(), 21 * 21);
    EXPECT_EQ(match->influenceMap->getWidthInTiles(), 21.0f);
    EXPECT_EQ(match->influenceMap->getHeightInTiles(), 21.0f);
    float largest = 0.0f;
    for (int index = 0; index < match->distanceMap->getDataSize(); ++index)
        largest = std::max(largest, match->distanceMap->getInfluenceAtIndex(index));
    EXPECT_GT(largest, 0.0f);
}

TEST_F(MatchSetupTest, RunsFramesAndMovesTheListenerWithTheCamera)
{
    ASSERT_TRUE(startMatch(std::make_unique<TestMatch>(sound)));
    ASSERT_TRUE(game.runFrames(10, 16));
    EXPECT_EQ(sound->listenerUpdates, 10);
    EXPECT_EQ(sound->listenerPosition, irr::core::vector3df(1, 0, 0));
    // Towards the camera's target at the origin.
    EXPECT_EQ(sound->listenerLookDirection, irr::core::vector3df(-1, 0, 0));
    EXPECT_EQ(match->frameCount, 10);
    EXPECT_FLOAT_EQ(match->sceneTime, 160.0f);
}

TEST_F(MatchSetupTest, LeavingTheMatchEmptiesItAndReleasesTheSound)
{
    ASSERT_TRUE(startMatch(std::make_unique<TestMatch>(sound)));
    game.runFrames(2, 16);
    ASSERT_EQ(sound->getReferenceCount(), 2);
    game.closeWindow();
    EXPECT_EQ(sound->getReferenceCount(), 1);
}

TEST_F(MatchSetupTest, ExitClearsTheSceneGraphAndTheRegistries)
{
    ASSERT_TRUE(startMatch(std::make_unique<TestMatch>(sound)));
    irr::scene::ISceneManager* scenes = game.device()->getSceneManager();
    ASSERT_FALSE(scenes->getRootSceneNode()->getChildren().empty());
    match->exit();
    EXPECT_TRUE(scenes->getRootSceneNode()->getChildren().empty());
    EXPECT_TRUE(match->entities.empty());
    EXPECT_EQ(match->soundEngine, nullptr);
    EXPECT_EQ(sound->getReferenceCount(), 1);
}

TEST_F(MatchSetupTest, AWorldThatCannotStartFailsTheSetupBeforeAnythingIsLoaded)
{
    auto scene = std::make_unique<TestMatch>(sound);
    scene->worldFails = true;
    EXPECT_FALSE(startMatch(std::move(scene)));
    EXPECT_EQ(match->announcer, nullptr);
    EXPECT_TRUE(match->entities.empty());
    EXPECT_TRUE(sound->plays.empty());
    EXPECT_EQ(match->levelNode, nullptr);
}

// The assets of the game, copied to a folder of the test's own without some of them.
class IncompleteAssets
{
public:
    explicit IncompleteAssets(const std::vector<std::string>& missing)
    {
        root = fs::temp_directory_path() / ("quillmarch-assets-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "Work");
        fs::copy("../Assets", root / "Assets", fs::copy_options::recursive);
        for (const std::string& file : missing)
            fs::remove(root / "Assets" / file);
        previous = fs::current_path();
        fs::current_path(root / "Work");
    }
    ~IncompleteAssets()
    {
        fs::current_path(previous);
        fs::remove_all(root);
    }

private:
    fs::path root;
    fs::path previous;
};

TEST_F(MatchSetupTest, AMissingLevelFailsTheSetupWithItsLine)
{
    for (const char* missing : {"Models/Arena2/ARENA_MESH.obj", "Models/Arena2/ARENA_UNIT.obj"})
    {
        IncompleteAssets assets({missing});
        HeadlessGame failing;
        ASSERT_TRUE(failing.start(std::make_unique<StartScene>()));
        auto* unusedSound = new RecordingSoundEngine();
        ConsoleCapture console;
        EXPECT_FALSE(failing.engine().changeScene(std::make_unique<TestMatch>(unusedSound)));
        const auto reports = console.reportLines();
        EXPECT_NE(std::find(reports.begin(), reports.end(), "ERROR: Level could not be loaded"),
                  reports.end())
            << missing;
        EXPECT_TRUE(failing.runFrames(3, 16));
        failing.closeWindow();
        unusedSound->drop();
    }
}

TEST(MatchStartFromMenuTest, AMissingLevelBringsThePlayerBackToTheMenu)
{
    IncompleteAssets assets({"Models/Arena2/ARENA_MESH.obj"});
    HeadlessGame game;
    auto scene = std::make_unique<StartScene>();
    StartScene* menu = scene.get();
    ASSERT_TRUE(game.start(std::move(scene)));
    ConsoleCapture console;
    EXPECT_TRUE(game.postButtonClicked(menu->startButton));
    const auto reports = console.reportLines();
    EXPECT_NE(std::find(reports.begin(), reports.end(), "ERROR: Level could not be loaded"), reports.end());
    auto* newMenu = game.currentSceneAs<StartScene>();
    ASSERT_NE(newMenu, nullptr);
    EXPECT_NE(newMenu, menu);
    EXPECT_TRUE(game.device()->getCursorControl()->isVisible());
    EXPECT_TRUE(game.runFrames(3, 16));
    EXPECT_TRUE(game.postButtonClicked(newMenu->addPlayerButton));
    EXPECT_EQ(newMenu->aiPlayerCount, 2);
}
}  // namespace
