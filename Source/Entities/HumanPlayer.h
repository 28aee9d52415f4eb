#pragma once

#include "Entities/BasePlayer.h"

#include <irrlicht.h>

class EventReceiver;

// The player at the keyboard and mouse: the dragon, an orbiting camera turned by the mouse, W/A/S/D to
// walk, Space for the camp action and F for a dash.
class HumanPlayer : public BasePlayer
{
public:
    static constexpr const char* meshPath = "../Assets/Models/dragon.obj";
    static constexpr const char* texturePath = "../Assets/Models/dragon.png";
    static constexpr const char* skillShotSound = "../Assets/Audio/SkillShot.wav";
    static constexpr irr::EKEY_CODE forwardKey = irr::KEY_KEY_W;
    static constexpr irr::EKEY_CODE backKey = irr::KEY_KEY_S;
    static constexpr irr::EKEY_CODE leftKey = irr::KEY_KEY_A;
    static constexpr irr::EKEY_CODE rightKey = irr::KEY_KEY_D;
    static constexpr irr::EKEY_CODE actionKey = irr::KEY_SPACE;
    static constexpr irr::EKEY_CODE skillKey = irr::KEY_KEY_F;
    static constexpr irr::EKEY_CODE mouseLookKey = irr::KEY_KEY_Q;
    // Degrees the camera turns for a cursor that is a whole window's width or height off the middle.
    static constexpr float yawPerWindow = 512.0f;
    static constexpr float pitchPerWindow = 256.0f;
    static constexpr float lowestPitch = -60.0f;
    static constexpr float highestPitch = -30.0f;
    static constexpr float cameraDistance = 16.0f;
    static constexpr float cameraTargetHeight = 5.0f;
    static constexpr float labelHeight = 60.0f;

    HumanPlayer();
    ~HumanPlayer() override;

    // False, with an error line, when the dragon's model cannot be loaded.
    bool init(BaseGameScene* scene, const irr::core::vector3df& position,
              const irr::core::vector3df& rotation, const irr::core::vector3df& scale);
    void update(double frameDelta, float totalTime) override;
    // Whether the keys and the mouse steer the dragon. Off, it stands where it is and the camera stays,
    // while the rules of the match go on acting on it; given back, a key that was held all the while
    // has to be let go before it acts again.
    void setSteered(bool steered);
    bool isSteered() const { return steered; }

    bool actionArmed = false;
    irr::video::SMaterial modelMaterial;
    bool moveForward = false;
    bool moveBack = false;
    bool moveLeft = false;
    bool moveRight = false;
    bool mouseLook = false;
    float yaw = 0.0f;
    float pitch = 0.0f;
    // The player's setting: how far the same mouse movement turns the camera, times the usual.
    float mouseSensitivity = 1.0f;
    irr::scene::ITextSceneNode* countLabel = nullptr;
    // The skill key was seen down, and has just been released. They belong to this match's dragon: a key
    // held when the last match ended starts nothing in the next.
    bool skillKeyHeld = false;
    bool skillKeyReleased = false;

private:
    bool steered = true;

    void dressModel();
    void collideWithLevel();
    void showUnitCount();
    void readInput(const EventReceiver& keys);
    void turnWithMouse();
    void placeCamera();
    void triggerCampAction(const EventReceiver& keys);
    void walk(const EventReceiver& keys);
    void triggerDash(const EventReceiver& keys);
    void fireDash();
};
