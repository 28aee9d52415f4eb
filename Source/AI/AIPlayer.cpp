#include "AI/AIPlayer.h"

#include "AI/IdleState.h"
#include "External/AIWorld.h"
#include "GameEngine/Console.h"
#include "Scenes/BaseGameScene.h"

#include <algorithm>
#include <utility>

namespace
{
const irr::core::vector3df collisionRadius(0.5f, 1.0f, 0.5f);
constexpr float slidingValue = 0.0005f;
constexpr irr::s32 polygonsPerOctreeNode = 12;
}  // namespace

AIPlayer::AIPlayer()
{
    openSpeed = 0.02f;
    enemyZoneSpeed = 0.01f;
    ownZoneSpeed = 0.025f;
    dashSpeed = parameters.dashSpeed;
}

AIPlayer::~AIPlayer() = default;

bool AIPlayer::init(BaseGameScene* scene, const irr::core::vector3df& position,
                    const irr::core::vector3df& /*rotation*/, const irr::core::vector3df& scale, int id)
{
    BasePlayer::init(scene);
    setParameters(parameters);
    moving = false;
    if (!addModel(meshPath, "orc", position, scale))
        return false;
    dressModel();
    this->id = id;
    agent = std::make_unique<irr::AI::AIUnit>(scene->getAIWorld().get());
    state = std::make_unique<IdleState>();
    return true;
}

void AIPlayer::setParameters(const OrcParameters& chosen)
{
    parameters = chosen;
    dashSpeed = parameters.dashSpeed;
    campThresholdBase = parameters.campThreshold;
    campThreshold = parameters.campThreshold;
}

void AIPlayer::dressModel()
{
    const irr::video::SMaterial material = modelMaterialWith(texturePath);
    // The orc's body and its axe.
    for (irr::u32 index = 0; index < 2 && index < node->getMaterialCount(); ++index)
        node->getMaterial(index) = material;
}

void AIPlayer::setupCollision(irr::scene::ISceneNode* node, irr::scene::IMesh* mesh)
{
    irr::scene::ISceneManager* sceneManager = scene->sceneManager;
    irr::scene::ITriangleSelector* selector =
        sceneManager->createOctreeTriangleSelector(mesh, node, polygonsPerOctreeNode);
    node->setTriangleSelector(selector);
    collisionAnimator = sceneManager->createCollisionResponseAnimator(selector, this->node, collisionRadius,
                                                                      {0, 0, 0}, {0, 0, 0}, slidingValue);
    this->node->addAnimator(collisionAnimator);
    selector->drop();
    collisionAnimator->drop();
}

void AIPlayer::update(double frameDelta, float totalTime)
{
    BasePlayer::update(frameDelta, totalTime);
    frameMs = static_cast<float>(frameDelta);
    campRetryWait = std::max(0.0f, campRetryWait - frameMs);
    checkLastStep();
    state->update(this);
    // A stun ends the walk; a frame of no time, which makes every step 0 long, does not.
    if (heldByStun)
        moving = false;
    replacedStates.clear();
}

void AIPlayer::setWaypoint(const irr::core::vector3df& point)
{
    waypoint = {point.X, waypointHeight, point.Z};
    moving = true;
}

void AIPlayer::onUnitUpdate(irr::AI::AIPoint* point, bool reachedEnd)
{
    if (reachedEnd)
        Console::message("Reached end");
    // Already there, or the next corner of the path: either way a place to walk to, in order.
    path.push_back(point->getPosition());
}

void AIPlayer::changeState(std::unique_ptr<State> next)
{
    if (state)
        replacedStates.push_back(std::move(state));
    state = std::move(next);
    state->start(this);
}

bool AIPlayer::walkTo(const irr::core::vector3df& target)
{
    path.clear();
    nextCorner = 0;
    agent->navigateToPoint(irr::AI::AIPoint(target), this, node->getPosition());
    if (path.empty())
    {
        moving = false;
        return false;
    }
    setWaypoint(path[nextCorner++]);
    return true;
}

void AIPlayer::takeCorner()
{
    const irr::core::vector3df corner = waypoint;
    setWaypoint(path[nextCorner++]);
    node->setPosition(corner);
    face(corner);
}

void AIPlayer::stepFrom(const irr::core::vector3df& position, bool stopAtWaypoint)
{
    node->setPosition(stopAtWaypoint ? waypoint : position + stepDirection(position) * speed);
    face(node->getPosition());
    stepPending = true;
    lastStepStart = position;
    lastStepDirection = stepDirection(position);
    lastStepLength = speed;
    lastStepMs = frameMs;
}

irr::core::vector3df AIPlayer::stepDirection(const irr::core::vector3df& position) const
{
    irr::core::vector3df direction = waypoint - position;
    return direction.normalize();
}

bool AIPlayer::overshootsTheFloor(const irr::core::vector3df& position) const
{
    const irr::AI::AINavigationMesh* floor = scene->walkableFloor();
    const irr::core::vector3df end = position + stepDirection(position) * speed;
    return floor && !floor->isPointInsideNavigationMesh({end.X, waypointHeight, end.Z});
}

void AIPlayer::checkLastStep()
{
    const bool stepped = std::exchange(stepPending, false);
    const float meant = lastStepLength;
    if (!moving || !stepped)
    {
        blockedTime = 0.0f;
        return;
    }
    // A step of no length (in a frame of no time) shows neither progress nor a block.
    if (meant <= 0.0f)
        return;
    const irr::core::vector3df position = node->getPosition();
    // Progress along the step, not any motion: an orc lodged under the dragon jitters on the spot.
    if ((position - lastStepStart).dotProduct(lastStepDirection) >= meant * parameters.blockedShare)
    {
        blockedTime = 0.0f;
        steppedAside = false;
        return;
    }
    blockedTime += lastStepMs;
    if (blockedTime < parameters.blockedTimeBeforeDetour)
        return;
    blockedTime = 0.0f;
    if (steppedAside)
        slipThrough();
    else
        stepAside(position);
}

void AIPlayer::slipThrough()
{
    node->setPosition(waypoint);
    // The collision keeps its last position unless told of the move.
    if (collisionAnimator)
        collisionAnimator->setTargetNode(node);
    steppedAside = false;
}

void AIPlayer::stepAside(const irr::core::vector3df& position)
{
    irr::core::vector3df ahead = waypoint - position;
    ahead.Y = 0.0f;
    ahead.normalize();
    const irr::core::vector3df side(ahead.Z, 0.0f, -ahead.X);
    const irr::AI::AINavigationMesh* floor = scene->walkableFloor();
    for (const float way : {1.0f, -1.0f})
    {
        const irr::core::vector3df aside = position + side * (parameters.detourLength * way);
        if (!floor || !floor->isPointInsideNavigationMesh({aside.X, waypointHeight, aside.Z}))
            continue;
        // The way aside first, then on to where the orc was going.
        path.insert(path.begin() + static_cast<std::ptrdiff_t>(nextCorner), waypoint);
        setWaypoint(aside);
        steppedAside = true;
        return;
    }
}

void AIPlayer::face(const irr::core::vector3df& position)
{
    irr::core::vector3df angles = (waypoint - position).getHorizontalAngle();
    angles.Y -= 90.0f;
    node->setRotation(angles);
    node->updateAbsolutePosition();
}
