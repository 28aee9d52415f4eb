#pragma once

#include "Scenes/GameScene.h"
#include "Support/RecordingSoundEngine.h"

// The real match scene with a recording sound engine.
class TestMatch : public GameScene
{
public:
    // `sound` is shared with the test, which holds a reference of its own.
    explicit TestMatch(RecordingSoundEngine* sound, irr::u32 opponents = 1);

protected:
    ISoundEngine* createSoundEngine() override;

private:
    RecordingSoundEngine* sound;
};
