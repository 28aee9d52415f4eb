#pragma once

#include "GameEngine/BaseScene.h"

#include <functional>
#include <memory>
#include <vector>

// A scene that keeps a journal of what the engine did to it. The journal outlives the scene, so a
// test can see that the scene was exited and deleted.
class RecordingScene : public BaseScene
{
public:
    struct Journal
    {
        int initCalls = 0;
        int exitCalls = 0;
        bool deleted = false;
        float frameDeltaAtInit = -1.0f;
        bool deviceAliveAtExit = false;
        std::vector<float> updateFrameDeltas;
        std::vector<float> updateTotalTimes;
    };

    explicit RecordingScene(std::shared_ptr<Journal> journal = std::make_shared<Journal>());
    ~RecordingScene() override;

    bool init() override;
    void update() override;
    void draw() override;
    void exit() override;

    std::shared_ptr<Journal> journal;
    bool initResult = true;
    // Runs at the end of draw, once, if set: lets a test change scenes from inside a draw.
    std::function<void()> afterDraw;
    // Runs inside exit, if set: lets a test look at the engine at that moment.
    std::function<void()> onExit;
};
