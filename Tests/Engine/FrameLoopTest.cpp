#include "GameEngine/Console.h"
#include "Support/ConsoleCapture.h"
#include "Support/HeadlessGame.h"
#include "Support/RecordingScene.h"

#include <gtest/gtest.h>

namespace
{
using Journal = RecordingScene::Journal;

// Changes to `next` when any key is pressed, from inside the device's event delivery.
class SceneChangeOnKey : public irr::IEventReceiver
{
public:
    SceneChangeOnKey(GameEngine& engine, std::shared_ptr<Journal> next)
        : engine(engine), next(std::move(next))
    {
    }
    bool OnEvent(const irr::SEvent& event) override
    {
        if (event.EventType != irr::EET_KEY_INPUT_EVENT || !event.KeyInput.PressedDown)
            return false;
        engine.changeScene(std::make_unique<RecordingScene>(next));
        return true;
    }

private:
    GameEngine& engine;
    std::shared_ptr<Journal> next;
};

class FrameLoopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto scene = std::make_unique<RecordingScene>(first);
        firstScene = scene.get();
        ASSERT_TRUE(game.start(std::move(scene)));
    }

    HeadlessGame game;
    std::shared_ptr<Journal> first = std::make_shared<Journal>();
    RecordingScene* firstScene = nullptr;
};

TEST_F(FrameLoopTest, HandsEachFrameItsLengthAndTheTimeSinceStart)
{
    EXPECT_EQ(first->initCalls, 1);
    EXPECT_EQ(firstScene->engine, &game.engine());

    game.runFrame(16);
    game.runFrame(33);
    game.runFrame(1);

    EXPECT_EQ(first->updateFrameDeltas, (std::vector<float>{16, 33, 1}));
    EXPECT_EQ(first->updateTotalTimes, (std::vector<float>{16, 49, 50}));
    EXPECT_EQ(firstScene->frameCount, 3);
    EXPECT_FLOAT_EQ(firstScene->sceneTime, 50.0f);
    EXPECT_EQ(game.engine().lastFrameTime, 50u);
}

TEST_F(FrameLoopTest, ChangeFromAnInputEventGivesTheNewSceneAFirstDeltaOfZero)
{
    game.runFrames(10, 100);
    auto second = std::make_shared<Journal>();
    SceneChangeOnKey receiver(game.engine(), second);
    game.device()->setEventReceiver(&receiver);

    game.postKey(irr::KEY_SPACE, true);

    // The old scene has left; the new one was initialised with no time since the change.
    EXPECT_EQ(first->exitCalls, 1);
    EXPECT_EQ(second->initCalls, 1);
    EXPECT_EQ(second->frameDeltaAtInit, 0.0f);
    EXPECT_EQ(game.engine().frameDelta, 0u);
    EXPECT_EQ(game.engine().lastFrameTime, 0u);

    game.runFrame(20);
    EXPECT_TRUE(first->deleted);
    game.runFrame(20);
    EXPECT_EQ(second->updateFrameDeltas, (std::vector<float>{0, 20}));
}

TEST_F(FrameLoopTest, ChangeDuringDrawGivesTheNewSceneAFirstDeltaOfZero)
{
    game.runFrames(5, 100);
    auto second = std::make_shared<Journal>();
    firstScene->afterDraw = [&] { game.engine().changeScene(std::make_unique<RecordingScene>(second)); };

    game.runFrame(100);
    // The old scene may still be on the stack of the frame that replaced it.
    EXPECT_EQ(first->exitCalls, 1);
    EXPECT_FALSE(first->deleted);

    game.runFrame(40);
    EXPECT_TRUE(first->deleted);
    game.runFrame(40);
    EXPECT_EQ(second->updateFrameDeltas, (std::vector<float>{0, 40}));
    EXPECT_EQ(second->updateTotalTimes, (std::vector<float>{640, 680}));
    EXPECT_EQ(game.engine().getCurrentScene()->frameCount, 2);  // its own frames only
}

TEST_F(FrameLoopTest, ClosingTheWindowExitsTheSceneWhileTheDeviceStillExists)
{
    game.runFrames(3, 10);
    game.closeWindow();

    EXPECT_EQ(first->exitCalls, 1);
    EXPECT_TRUE(first->deviceAliveAtExit);
    EXPECT_TRUE(first->deleted);
    EXPECT_EQ(game.engine().device, nullptr);
    EXPECT_FALSE(game.runFrame(10));
}

TEST(EngineStartTest, AnEngineWithoutASceneAndASceneWithoutAnEngineFailToStartAndSayWhy)
{
    HeadlessGame game;
    BaseScene scene;
    ConsoleCapture console;
    EXPECT_FALSE(game.engine().init(false));
    EXPECT_FALSE(scene.attachToEngine());
    EXPECT_EQ(console.reportLines(),
              (std::vector<std::string>{"ERROR: There is no current scene created",
                                        "ERROR: BaseScene::init : The engine is not initialized"}));
}

}  // namespace
