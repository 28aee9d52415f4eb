#include "Support/MatchFixture.h"

#include "AI/AIPlayer.h"
#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "Scenes/StartScene.h"

namespace
{
GameEngine::Settings withFixedCalendar(GameEngine::Settings settings)
{
    settings.driverType = irr::video::EDT_NULL;
    if (!settings.calendarClock)
        settings.calendarClock = [] { return MatchFixture::calendarSeconds; };
    return settings;
}
}  // namespace

MatchFixture::MatchFixture(irr::u32 orcs, bool telemetry, GameEngine::Settings settings)
    : game(withFixedCalendar(std::move(settings)))
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

void MatchFixture::frames(int count, irr::u32 length)
{
    game.runFrames(count, length);
}

void MatchFixture::parkAllUnits()
{
    for (const std::shared_ptr<Unit>& unit : match->units)
    {
        const irr::core::vector3df position = unit->getPosition();
        unit->node->setPosition({position.X, Unit::absorbedHeight, position.Z});
        unit->following = true;
        unit->absorbed = true;
    }
}

Unit& MatchFixture::freeUnitAt(std::size_t index, const irr::core::vector3df& position)
{
    Unit& unit = *match->units.at(index);
    unit.returnToPlay(position);
    return unit;
}

void MatchFixture::place(irr::scene::ISceneNode* node, const irr::core::vector3df& position)
{
    node->setPosition(position);
    node->updateAbsolutePosition();
    // A teleport, not a walk: collision keeps its last position unless told.
    for (irr::scene::ISceneNodeAnimator* animator : node->getAnimators())
        if (animator->getType() == irr::scene::ESNAT_COLLISION_RESPONSE)
            static_cast<irr::scene::ISceneNodeAnimatorCollisionResponse*>(animator)->setTargetNode(node);
}

HumanPlayer& MatchFixture::human()
{
    return *match->humanPlayer;
}

AIPlayer& MatchFixture::orc(std::size_t index)
{
    return *match->aiPlayers.at(index);
}
