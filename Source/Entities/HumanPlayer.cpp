#include "Entities/HumanPlayer.h"

#include "External/ISoundEngine.h"
#include "GameEngine/Console.h"
#include "GameEngine/EventReceiver.h"
#include "GameEngine/FormatWide.h"
#include "Scenes/BaseGameScene.h"

#include <cmath>
#include <sstream>

namespace
{
constexpr float pi = 3.1415927f;
constexpr float degreesToRadians = 0.017453292f;
// The collision ellipsoid around the dragon, and how far below its origin it sits.
const irr::core::vector3df collisionRadius(1.0f, 1.5f, 1.0f);
const irr::core::vector3df collisionTranslation(0.0f, -1.0f, 0.0f);
constexpr float slidingValue = 0.0005f;

// One step of length `step` in the ground direction `angle` (radians, measured from +z toward +x).
void stepToward(irr::core::vector3df& position, float angle, float step)
{
    position.Z += std::cos(angle) * step;
    position.X += std::sin(angle) * step;
}
}  // namespace

HumanPlayer::HumanPlayer()
{
    enemyZoneSpeed = 0.015f;
    ownZoneSpeed = 0.03f;
    openSpeed = 0.025f;
    dashSpeed = 0.2f;
}

HumanPlayer::~HumanPlayer() = default;

bool HumanPlayer::init(BaseGameScene* scene, const irr::core::vector3df& position,
                       const irr::core::vector3df& /*rotation*/, const irr::core::vector3df& scale)
{
    actionArmed = true;
    mouseLook = true;
    BasePlayer::init(scene);
    if (!addModel(meshPath, "dragon", position, scale))
        return false;
    static_cast<irr::scene::IAnimatedMeshSceneNode*>(node)->OnAnimate(0);
    dressModel();
    collideWithLevel();
    countLabel =
        scene->sceneManager->addTextSceneNode(labelFont, L"", color.toSColor(), node, {0, labelHeight, 0}, 0);
    showUnitCount();
    return true;
}

void HumanPlayer::dressModel()
{
    modelMaterial = modelMaterialWith(texturePath);
    node->getMaterial(0) = modelMaterial;
}

void HumanPlayer::collideWithLevel()
{
    if (!scene->levelSelector)
        return;
    irr::scene::ISceneNodeAnimatorCollisionResponse* collision =
        scene->sceneManager->createCollisionResponseAnimator(scene->levelSelector, node, collisionRadius,
                                                             {0, 0, 0}, collisionTranslation, slidingValue);
    // The level node owns the selector; the animator took a reference of its own.
    node->addAnimator(collision);
    collision->drop();
}

void HumanPlayer::update(double frameDelta, float totalTime)
{
    BasePlayer::update(frameDelta, totalTime);
    const std::shared_ptr<EventReceiver> keys = scene->getEventReceiver();
    if (keys && steered)
        readInput(*keys);
    showUnitCount();
}

void HumanPlayer::setSteered(bool steered)
{
    if (steered && !this->steered)
    {
        actionArmed = false;
        skillKeyHeld = false;
        skillKeyReleased = false;
        mouseLook = true;
    }
    this->steered = steered;
}

void HumanPlayer::showUnitCount()
{
    WideText text;
    formatWide(text, L"%d", static_cast<int>(units.size()));
    countLabel->setText(text);
}

void HumanPlayer::readInput(const EventReceiver& keys)
{
    if (keys.isKeyDown(mouseLookKey))
        mouseLook = !mouseLook;
    turnWithMouse();
    placeCamera();
    triggerCampAction(keys);
    walk(keys);
    triggerDash(keys);
}

void HumanPlayer::turnWithMouse()
{
    irr::gui::ICursorControl* cursor = scene->device->getCursorControl();
    const irr::core::position2df offset = cursor->getRelativePosition();
    yaw += (offset.X - 0.5f) * yawPerWindow * mouseSensitivity;
    if (yaw < -360.0f)
        yaw = 360.0f;
    pitch -= (offset.Y - 0.5f) * pitchPerWindow * mouseSensitivity;
    pitch = irr::core::clamp(pitch, lowestPitch, highestPitch);
    if (mouseLook)
        cursor->setPosition(0.5f, 0.5f);
}

void HumanPlayer::placeCamera()
{
    const irr::core::vector3df position = node->getPosition();
    const float yawRadians = yaw * pi / 180.0f;
    const float pitchRadians = pitch * pi / 180.0f;
    irr::scene::ICameraSceneNode* camera = scene->sceneManager->getActiveCamera();
    if (camera)
    {
        camera->setPosition({position.X - std::cos(yawRadians) * cameraDistance,
                             position.Y - std::sin(pitchRadians) * cameraDistance,
                             position.Z + std::sin(yawRadians) * cameraDistance});
        camera->setTarget({position.X, position.Y + cameraTargetHeight, position.Z});
    }
    node->setRotation({0, yaw, 0});
}

void HumanPlayer::triggerCampAction(const EventReceiver& keys)
{
    if (!keys.isKeyDown(actionKey))
    {
        actionArmed = true;
        return;
    }
    if (!actionArmed)
        return;
    actionArmed = false;
    campAction();
}

void HumanPlayer::walk(const EventReceiver& keys)
{
    moveForward = keys.isKeyDown(forwardKey);
    moveBack = keys.isKeyDown(backKey);
    moveLeft = keys.isKeyDown(leftKey);
    moveRight = keys.isKeyDown(rightKey);
    irr::core::vector3df position = node->getPosition();
    const float heading = node->getRotation().Y;
    if (moveForward)
        stepToward(position, (heading + 90.0f) * degreesToRadians, speed);
    if (moveBack)
        stepToward(position, (heading - 90.0f) * degreesToRadians, speed);
    if (moveLeft)
        stepToward(position, heading * pi / 180.0f, speed);
    if (moveRight)
        stepToward(position, heading * pi / 180.0f, -speed);
    node->setPosition(position);
    node->updateAbsolutePosition();
}

void HumanPlayer::triggerDash(const EventReceiver& keys)
{
    if (keys.isKeyDown(skillKey))
    {
        skillKeyHeld = true;
        if (!skillKeyReleased)
            return;
    }
    else if (skillKeyHeld)
    {
        skillKeyHeld = false;
        skillKeyReleased = true;
    }
    else if (!skillKeyReleased)
    {
        return;
    }
    fireDash();
    skillKeyReleased = false;
}

void HumanPlayer::fireDash()
{
    if (coolingDown)
    {
        std::ostringstream line;
        line << "AI MESSAGE: : " << cooldownTime;
        Console::line(line.str());
        WideText text;
        formatWide(text, L"%.2f S", (cooldownDuration - cooldownTime) / 1000.0);
        announce(text, irr::video::SColor(red));
        return;
    }
    dashing = true;
    scene->soundEngine->play2D(skillShotSound);
}
