#include "Support/TestMatch.h"

namespace
{
class FailingWorld : public irr::AI::AIWorld
{
public:
    bool init() override { return false; }
};
}  // namespace

TestMatch::TestMatch(RecordingSoundEngine* sound, irr::u32 opponents) : sound(sound)
{
    aiPlayerCount = opponents;
}

ISoundEngine* TestMatch::createSoundEngine()
{
    sound->grab();
    return sound;
}

std::shared_ptr<irr::AI::AIWorld> TestMatch::createWorld()
{
    if (worldFails)
        return std::make_shared<FailingWorld>();
    return GameScene::createWorld();
}
