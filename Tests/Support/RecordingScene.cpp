#include "Support/RecordingScene.h"

#include "GameEngine/GameEngine.h"

RecordingScene::RecordingScene(std::shared_ptr<Journal> journal) : journal(std::move(journal))
{
}

RecordingScene::~RecordingScene()
{
    journal->deleted = true;
}

bool RecordingScene::init()
{
    ++journal->initCalls;
    journal->frameDeltaAtInit = frameDelta;
    BaseScene::init();
    return initResult;
}

void RecordingScene::update()
{
    journal->updateFrameDeltas.push_back(frameDelta);
    journal->updateTotalTimes.push_back(totalTime);
    BaseScene::update();
}

void RecordingScene::draw()
{
    BaseScene::draw();
    if (afterDraw)
    {
        auto action = std::move(afterDraw);
        afterDraw = nullptr;
        action();
    }
}

void RecordingScene::exit()
{
    ++journal->exitCalls;
    journal->deviceAliveAtExit = engine && engine->device && engine->device->getVideoDriver();
    if (onExit)
        onExit();
}
