#include "Support/RecordingScene.h"

#include "GameEngine/GameEngine.h"

#include <sstream>
#include <utility>

bool RecordingScene::init()
{
    std::ostringstream entry;
    entry << "init " << frameDelta;
    journal->push_back(entry.str());
    return BaseScene::init();
}

void RecordingScene::update()
{
    std::ostringstream entry;
    entry << "update " << frameDelta << ' ' << totalTime;
    journal->push_back(entry.str());
    BaseScene::update();
}

void RecordingScene::draw()
{
    BaseScene::draw();
    if (afterDraw)
        std::exchange(afterDraw, nullptr)();
}

void RecordingScene::exit()
{
    journal->push_back(
        engine && engine->device && engine->device->getVideoDriver() ? "exit" : "exit without a device");
}
