#pragma once

#include "GameEngine/BaseScene.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A scene that writes in a journal what the engine did to it: "init <frame delta>", "update <frame delta>
// <total time>", "exit" (or "exit without a device") and "deleted". The journal outlives the scene.
class RecordingScene : public BaseScene
{
public:
    using Journal = std::vector<std::string>;

    explicit RecordingScene(std::shared_ptr<Journal> journal) : journal(std::move(journal)) {}
    ~RecordingScene() override { journal->push_back("deleted"); }

    bool init() override;
    void update() override;
    void draw() override;
    void exit() override;

    std::shared_ptr<Journal> journal;
    // Run once at the end of the next draw: lets a test change scenes from inside a draw.
    std::function<void()> afterDraw;
};
