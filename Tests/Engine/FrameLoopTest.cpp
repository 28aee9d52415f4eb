#include "GameEngine/FramePacer.h"
#include "Support/HeadlessGame.h"
#include "Support/RecordingScene.h"

#include <chrono>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace
{
using Journal = RecordingScene::Journal;

// Runs an action for any key press, from inside the device's event delivery.
struct OnKeyPress : irr::IEventReceiver
{
    bool OnEvent(const irr::SEvent& event) override
    {
        if (event.EventType == irr::EET_KEY_INPUT_EVENT && event.KeyInput.PressedDown)
            action();
        return false;
    }
    std::function<void()> action;
};

class FrameLoopTest : public testing::Test
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

// A frame longer than the engine's longest step (a stalled machine) moves the scene on by that step only;
// the time since start, and the scene's clock, keep the timer's.
TEST_F(FrameLoopTest, HandsEachFrameItsLengthUpToTheLongestStepAndTheTimeSinceStart)
{
    game.runFrame(16);
    game.runFrame(33);
    game.runFrame(1);
    game.runFrame(GameEngine::longestStep);
    game.runFrame(30000);
    EXPECT_EQ(*first, (Journal{"init 0", "update 16 16", "update 33 49", "update 1 50", "update 100 150",
                               "update 100 30150"}));
    EXPECT_EQ(firstScene->engine, &game.engine());
    EXPECT_EQ(firstScene->frameCount, 5);
    EXPECT_FLOAT_EQ(firstScene->sceneTime, 30150.0f);
}

// With a cap the pacer sleeps what is left of each frame's share of a second; a frame that ran late gets no
// sleep, and the next is paced from its end rather than crammed in to catch up. Without a cap it never
// sleeps.
TEST(FramePacerTest, SleepsTheRestOfEachFrameAndStartsAfreshAfterALateOne)
{
    // The cap, how long each frame works, and how long the pacer sleeps after each, in ms.
    for (const auto& [maxFps, workMs, sleptMs] :
         {std::tuple(50U, std::vector<int>{5, 5, 5, 30, 5}, std::vector<long>{20, 15, 15, 0, 15}),
          std::tuple(0U, std::vector<int>{5, 30}, std::vector<long>{0, 0})})
    {
        FramePacer::Clock::time_point now{};
        FramePacer::Clock::duration slept{};
        FramePacer pacer(
            maxFps, [&now] { return now; },
            [&](FramePacer::Clock::duration length)
            {
                slept += length;
                now += length;
            });
        std::vector<long> sleeps;
        for (const int work : workMs)
        {
            now += std::chrono::milliseconds(work);
            pacer.endFrame();
            sleeps.push_back(
                static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(slept).count()));
            slept = {};
        }
        EXPECT_EQ(sleeps, sleptMs) << maxFps;
    }
}

TEST_F(FrameLoopTest, ClosingTheWindowExitsTheSceneWhileTheDeviceStillExists)
{
    game.runFrames(3, 10);
    game.closeWindow();
    EXPECT_EQ(Journal(first->end() - 2, first->end()), (Journal{"exit", "deleted"}));
    EXPECT_EQ(game.engine().device, nullptr);
    EXPECT_FALSE(game.runFrame(10));
}

// A scene changes from an input event the device delivers (true) or from inside its own draw (false).
class SceneChangeTest : public FrameLoopTest, public testing::WithParamInterface<bool>
{
};

TEST_P(SceneChangeTest, TheOldSceneLivesOutItsCallAndTheNewOneCountsFromAFirstFrameOfLengthZero)
{
    game.runFrames(5, 100);
    auto second = std::make_shared<Journal>();
    OnKeyPress receiver;
    receiver.action = [&] { game.engine().changeScene(std::make_unique<RecordingScene>(second)); };
    if (GetParam())
    {
        game.device()->setEventReceiver(&receiver);
        game.postKey(irr::KEY_SPACE, true);
    }
    else
    {
        firstScene->afterDraw = receiver.action;
        game.runFrame(100);
    }
    // The old scene may still be on the stack of the call that replaced it.
    EXPECT_EQ(first->back(), "exit");
    game.runFrames(2, 40);
    EXPECT_EQ(first->back(), "deleted");
    const std::string now = std::to_string(game.now()), before = std::to_string(game.now() - 40);
    EXPECT_EQ(*second, (Journal{"init 0", "update 0 " + before, "update 40 " + now}));
    EXPECT_EQ(game.engine().getCurrentScene()->frameCount, 2);
}

INSTANTIATE_TEST_SUITE_P(Changes, SceneChangeTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info)
                         { return info.param ? "FromAnInputEvent" : "FromADraw"; });
}  // namespace
