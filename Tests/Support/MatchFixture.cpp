#include "Support/MatchFixture.h"

#include "AI/AIPlayer.h"
#include "Entities/Camp.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "Scenes/StartScene.h"

#include <algorithm>

GameEngine::Settings MatchFixture::headless()
{
    GameEngine::Settings settings;
    settings.driverType = irr::video::EDT_NULL;
    settings.calendarClock = [] { return calendarSeconds; };
    return settings;
}

MatchFixture::MatchFixture(irr::u32 orcs, bool telemetry, GameEngine::Settings settings)
    : game(std::move(settings))
{
    auto scene = std::make_unique<TestMatch>(sound, orcs);
    match = scene.get();
    started =
        game.start(std::make_unique<StartScene>(), telemetry) && game.engine().changeScene(std::move(scene));
}

MatchFixture::~MatchFixture()
{
    game.closeWindow();
    sound->drop();
}

bool MatchFixture::quiet()
{
    if (!started)
        return false;
    for (const std::shared_ptr<Unit>& unit : match->units)
    {
        unit->node->setPosition(unit->getPosition() * irr::core::vector3df(1, 0, 1) +
                                irr::core::vector3df(0, Unit::absorbedHeight, 0));
        unit->following = unit->absorbed = true;
    }
    frames(1);
    place(human().node, {0, 2, 0});
    return true;
}

Unit& MatchFixture::freeUnitAt(const irr::core::vector3df& position)
{
    Unit& unit = *match->units.at(nextUnit++);
    unit.returnToPlay(position);
    return unit;
}

std::vector<Unit*> MatchFixture::giveUnits(BasePlayer& owner, int count)
{
    std::vector<Unit*> given;
    for (int n = 1; n <= count; ++n)
    {
        given.push_back(&freeUnitAt(owner.node->getPosition() + irr::core::vector3df(-2.0f * n, 0, 1)));
        given.back()->pickUp(&owner);
    }
    return given;
}

Camp* MatchFixture::foundCamp(BasePlayer& founder, const irr::core::vector3df& where, int units)
{
    place(founder.node, where);
    giveUnits(founder, units);
    const std::size_t before = match->camps.size();
    founder.zone = BasePlayer::openGround;
    founder.campAction();
    return match->camps.size() > before ? match->camps.back().get() : nullptr;
}

Camp& MatchFixture::campAt(const irr::core::vector3df& position, BasePlayer& owner, int units)
{
    match->createCamp(position, {0, 0, 0}, {0.1f, 0.1f, 0.1f}, &owner);
    match->camps.back()->unitCount = static_cast<irr::u16>(units);
    return *match->camps.back();
}

void MatchFixture::place(irr::scene::ISceneNode* node, const irr::core::vector3df& position)
{
    node->setPosition(position);
    node->updateAbsolutePosition();
    for (irr::scene::ISceneNodeAnimator* animator : node->getAnimators())
        if (animator->getType() == irr::scene::ESNAT_COLLISION_RESPONSE)
            static_cast<irr::scene::ISceneNodeAnimatorCollisionResponse*>(animator)->setTargetNode(node);
}

int MatchFixture::plays(const std::string& file, bool placed) const
{
    return static_cast<int>(std::count_if(sound->plays.begin(), sound->plays.end(),
                                          [&](const auto& call)
                                          { return call.file == file && call.placed == placed; }));
}
