#include "AI/AIPlayer.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "External/AIInfluenceMap.h"
#include "GameEngine/TextAnnouncer.h"
#include "Scenes/StartScene.h"
#include "Support/ConsoleCapture.h"
#include "Support/MatchFixture.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
namespace fs = std::filesystem;

TEST(MatchSetupTest, LogsItsStepsInOrderAndStartsTheMusic)
{
    ConsoleCapture console;
    MatchFixture fixture(1);
    ASSERT_TRUE(fixture.started);
    std::vector<std::string> ours;
    for (const std::string& line : console.lines())
        if (line == "Finished" || line.rfind("MESSAGE: ", 0) == 0 || line.rfind("ERROR: ", 0) == 0)
            ours.push_back(line);
    EXPECT_EQ(ours, (std::vector<std::string>{"MESSAGE: Initialize the main menu scene", "Finished",
                                              "MESSAGE: Initialize the game scene",
                                              "MESSAGE: Human Player is created.",
                                              "MESSAGE: AI player is created. Number of players: 2"}));
    ASSERT_EQ(fixture.sound->plays.size(), 1u);
    EXPECT_EQ(fixture.sound->plays[0].file, "../Assets/Audio/Background.wav");
    EXPECT_TRUE(fixture.sound->plays[0].looped && !fixture.sound->plays[0].placed);
}

class MatchPopulationTest : public ::testing::TestWithParam<irr::u32>
{
};

TEST_P(MatchPopulationTest, PutsAUnitOnEverySpotThenTheDragonThenTheOrcsInTheirCorners)
{
    MatchFixture fixture(GetParam());
    GameScene& match = *fixture.match;
    irr::scene::IMeshBuffer* spots = match.unitSpotNode->getMesh()->getMeshBuffer(0);
    ASSERT_EQ(match.units.size(), spots->getVertexCount() - 2);
    for (std::size_t index = 0; index < match.units.size(); ++index)
    {
        const irr::core::vector3df spot = spots->getPosition(static_cast<irr::u32>(index) + 2);
        EXPECT_EQ(match.units[index]->getPosition(), irr::core::vector3df(spot.X, 1, spot.Z)) << index;
        EXPECT_FALSE(match.units[index]->following || match.units[index]->absorbed);
    }
    ASSERT_EQ(match.players.size(), GetParam() + 1);
    EXPECT_EQ(match.players[0], match.humanPlayer);
    EXPECT_EQ(match.humanPlayer->node->getPosition(), irr::core::vector3df(0, 2, 0));
    for (irr::u32 k = 1; k <= GetParam(); ++k)
    {
        const BasePlayer& orc = *match.players[k];
        EXPECT_EQ(orc.id, static_cast<irr::s32>(k));
        EXPECT_EQ(orc.color.toSColor(), match.playerColors[k + 1].toSColor()) << k;
        EXPECT_EQ(orc.node->getPosition(), GameScene::aiStarts[k - 1]) << k;
    }
    // The announcer updates first, then the units, then the players in their order.
    ASSERT_EQ(match.entities.size(), 1 + match.units.size() + match.players.size());
    EXPECT_EQ(match.entities.front().get(), static_cast<BaseEntity*>(match.announcer.get()));
    EXPECT_EQ(match.entities[1].get(), static_cast<BaseEntity*>(match.units[0].get()));
    EXPECT_EQ(match.entities.back().get(), static_cast<BaseEntity*>(match.players.back().get()));
    EXPECT_TRUE(match.camps.empty());
}

INSTANTIATE_TEST_SUITE_P(Opponents, MatchPopulationTest, ::testing::Values(1u, 4u));

TEST(MatchSetupTest, BuildsTheLevelWithItsSelectorTheMapsAndAHiddenSpotNodeUnderAHiddenCursor)
{
    MatchFixture fixture;
    GameScene& match = *fixture.match;
    ASSERT_EQ(match.levelNode->getTriangleSelector(), match.levelSelector);
    EXPECT_GT(match.levelSelector->getTriangleCount(), 0);
    EXPECT_FALSE(match.unitSpotNode->isVisible());
    EXPECT_FALSE(fixture.game.device()->getCursorControl()->isVisible());
    EXPECT_EQ(match.distanceMap->getDataSize(), 21 * 21);
    EXPECT_NE(match.getAIWorld()->getNavigationMesh(), nullptr);
}

TEST(MatchSetupTest, TheListenerFollowsTheCameraBehindTheDragonAndLeavesWithTheMatch)
{
    MatchFixture fixture;
    fixture.frames(10);
    irr::scene::ICameraSceneNode* camera = fixture.game.device()->getSceneManager()->getActiveCamera();
    EXPECT_EQ(fixture.sound->listenerUpdates, 10);
    EXPECT_EQ(fixture.sound->listenerPosition, camera->getPosition());
    EXPECT_EQ(fixture.sound->listenerLookDirection, camera->getTarget() - camera->getPosition());
    ASSERT_EQ(fixture.sound->getReferenceCount(), 2);
    fixture.match->exit();
    EXPECT_TRUE(fixture.game.device()->getSceneManager()->getRootSceneNode()->getChildren().empty());
    EXPECT_TRUE(fixture.match->entities.empty() && fixture.match->players.empty());
    EXPECT_EQ(fixture.sound->getReferenceCount(), 1);
}

TEST(MatchSetupTest, AWorldThatCannotStartFailsTheSetupBeforeAnythingIsLoaded)
{
    HeadlessGame game;
    auto* sound = new RecordingSoundEngine();
    auto scene = std::make_unique<TestMatch>(sound);
    TestMatch* match = scene.get();
    scene->worldFails = true;
    ASSERT_TRUE(game.start(std::make_unique<StartScene>()));
    EXPECT_FALSE(game.engine().changeScene(std::move(scene)));
    EXPECT_TRUE(match->announcer == nullptr && match->entities.empty() && match->levelNode == nullptr);
    EXPECT_TRUE(sound->plays.empty());
    game.closeWindow();
    sound->drop();
}

// The game's assets without one file, in a folder of the test's own that is the working directory.
class IncompleteAssets
{
public:
    explicit IncompleteAssets(const std::string& missing)
    {
        fs::remove_all(root);
        fs::create_directories(root / "Work");
        fs::copy("../Assets", root / "Assets", fs::copy_options::recursive);
        fs::remove(root / "Assets" / missing);
        fs::current_path(root / "Work");
    }
    ~IncompleteAssets()
    {
        fs::current_path(previous);
        fs::remove_all(root);
    }

private:
    fs::path root = fs::temp_directory_path() / ("quillmarch-assets-" + std::to_string(::getpid()));
    fs::path previous = fs::current_path();
};

TEST(MatchStartFromMenuTest, AMissingLevelOrSpotMeshIsReportedAndBringsThePlayerBackToTheMenu)
{
    for (const char* missing : {"Models/Arena2/ARENA_MESH.obj", "Models/Arena2/ARENA_UNIT.obj"})
    {
        IncompleteAssets assets(missing);
        HeadlessGame game;
        ASSERT_TRUE(game.start(std::make_unique<StartScene>()));
        StartScene* menu = game.currentSceneAs<StartScene>();
        ConsoleCapture console;
        EXPECT_TRUE(game.postButtonClicked(menu->startButton));
        const auto reports = console.reportLines();
        EXPECT_NE(std::find(reports.begin(), reports.end(), "ERROR: Level could not be loaded"),
                  reports.end());
        auto* newMenu = game.currentSceneAs<StartScene>();
        ASSERT_TRUE(newMenu && newMenu != menu) << missing;
        EXPECT_TRUE(game.device()->getCursorControl()->isVisible());
        EXPECT_TRUE(game.runFrames(3, 16));
        EXPECT_TRUE(game.postButtonClicked(newMenu->addPlayerButton));
        EXPECT_EQ(newMenu->aiPlayerCount, 2);
    }
}
}  // namespace
