#pragma once

#include "External/AIWorld.h"
#include "Scenes/GameScene.h"
#include "Support/RecordingSoundEngine.h"

#include <memory>

// The real match scene with a recording sound engine, and optionally a world that fails to start.
class TestMatch : public GameScene
{
public:
    // `sound` is shared with the test, which holds a reference of its own.
    explicit TestMatch(RecordingSoundEngine* sound, irr::u32 opponents = 1);

    bool worldFails = false;

protected:
    ISoundEngine* createSoundEngine() override;
    std::shared_ptr<irr::AI::AIWorld> createWorld() override;

private:
    RecordingSoundEngine* sound;
};
