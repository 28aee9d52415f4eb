#pragma once

#include "GameEngine/BaseEntity.h"

#include <irrlicht.h>
#include <vector>

class BaseGameScene;
class Camp;
class Unit;

// What the dragon and the orcs have in common: colour and number, the chain of units that follows the
// player, the camp zone it stands in, and the rules of the game that act on them each frame.
class BasePlayer : public BaseEntity
{
public:
    static constexpr const char* labelFontPath = "../Assets/Fonts/avenir_LT_14.xml";
    static constexpr const char* createCampSound = "../Assets/Audio/CreateCamp.wav";
    static constexpr const char* failedCampSound = "../Assets/Audio/FailedCamp.wav";
    static constexpr const char* captureCampSound = "../Assets/Audio/CaptureCamp.wav";
    static constexpr const char* lostCampSound = "../Assets/Audio/LostCamp.wav";
    static constexpr const char* reinforceCampSound = "../Assets/Audio/ReinforceCamp.wav";
    static constexpr const char* lostUnitSound = "../Assets/Audio/LostUnit.wav";
    static constexpr const char* stunnedSound = "../Assets/Audio/Stunned.wav";
    static constexpr irr::u32 red = 0xFFFF0000;
    static constexpr irr::u32 yellow = 0xFFFFFF00;
    // How long a dash, its cooldown and a stun last, in ms of game time, whatever the frame rate: ten,
    // 350 and 100 frames of 16 ms.
    static constexpr float dashDuration = 160.0f;
    static constexpr float cooldownDuration = 5600.0f;
    static constexpr float stunDuration = 1600.0f;
    static constexpr int startingCampThreshold = 6;

    enum Zone
    {
        openGround = 0,
        enemyRing = 1,
        enemyCore = 2,
        ownRing = 3,
        ownCore = 4
    };

    BasePlayer();
    ~BasePlayer() override;

    bool init(BaseGameScene* scene);
    void update(double frameDelta, float totalTime) override;

    // Whatever the zone allows: found a camp, capture or reinforce one. False when it allows nothing, or
    // when no camp could be founded.
    bool campAction();
    void captureCamp();
    void reinforceCamp();
    void absorbUnits();
    // Every unit of the chain goes out of play into the camp of `campNode`, the newest first.
    void absorbUnitsInto(irr::scene::ISceneNode* campNode);
    void loseUnit();
    void stun();

    // The human player, as its number tells.
    bool isHuman() const;

    irr::video::SColorf color{0.0f, 0.0f, 0.0f, 1.0f};
    irr::s32 id = 0;
    std::vector<Unit*> units;
    irr::s32 zone = openGround;
    Camp* zoneCamp = nullptr;
    BaseGameScene* scene = nullptr;
    irr::s32 score = 0;
    float enemyZoneSpeed = 0.0f;
    float ownZoneSpeed = 0.0f;
    float openSpeed = 0.0f;
    float dashSpeed = 0.0f;
    float speed = 0.0f;
    bool dashing = false;
    bool coolingDown = false;
    // The ms each has run for so far.
    float cooldownTime = 0.0f;
    float dashTime = 0.0f;
    bool stunned = false;
    float stunTime = 0.0f;
    // The stun held the player still in its latest update.
    bool heldByStun = false;
    bool inRing = false;
    irr::gui::IGUIFont* labelFont = nullptr;
    int campThreshold = 0;
    int campThresholdBase = 0;
    float lossTime = 0.0f;
    float lossInterval = 2000.0f;
    // What the player did this match, for its summary.
    int campsFounded = 0;
    int campsCaptured = 0;

protected:
    // Adds the player's model as its node, at `position` and `scale`; false, with an error line naming the
    // model (`what`), when it cannot be loaded.
    bool addModel(const char* meshPath, const char* what, const irr::core::vector3df& position,
                  const irr::core::vector3df& scale);
    // The players' unlit material with their texture.
    irr::video::SMaterial modelMaterialWith(const char* texturePath) const;
    // An event of the human plays flat; the same event of a computer player sounds where it stands.
    void playEventSound(const char* file) const;
    void announce(const wchar_t* text, irr::video::SColor color) const;

private:
    void sendTelemetry(float totalTime) const;
    void applyZoneSpeed(double frameDelta);
    void runDash(double frameDelta);
    void runCooldown(double frameDelta);
    void runStun(double frameDelta);
    // A timed state ends in the update that would carry it past its duration, so that it lasts its
    // duration to within one frame of any length; a frame of no time never ends one.
    static bool runsOut(float elapsed, double frameDelta, float duration);
    bool foundCamp();
};
