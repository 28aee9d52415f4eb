#pragma once

#include "GameEngine/BaseEntity.h"

#include <irrlicht.h>

class BaseGameScene;
class BasePlayer;

// One of the small creatures scattered over the arena. A free unit waits until a player comes within
// reach, then trails behind it in the player's chain; a unit out of play (put into a camp, lost, or thrown
// off the floor) waits below the arena until the match sends it back.
class Unit : public BaseEntity
{
public:
    static constexpr const char* meshPath = "../Assets/Models/simpleCube.obj";
    static constexpr const char* particleTexturePath = "../Assets/Models/FlowerBurst.png";
    static constexpr const char* pickupSoundPath = "../Assets/Audio/PickupUnit.wav";
    // A free unit this close to a player joins it.
    static constexpr float reach = 3.0f;
    // A following unit this close to its target stands still.
    static constexpr float standstill = 1.5f;
    // Glow and particle colour of a unit nobody owns: light grey. The arena has no light, so the glow is all
    // of a unit's colour; in black a free unit would read as a hole in the floor.
    static constexpr irr::u32 unownedGlow = 0xFFAFAFAF;
    // Out-of-play heights: below the arena after a camp took the unit, far below after a throw off the floor.
    static constexpr float absorbedHeight = -1000.0f;
    static constexpr float thrownOffHeight = -100000.0f;
    static constexpr float scatteredHeight = 1.0f;

    Unit();
    ~Unit() override;

    bool init(BaseGameScene* scene, const irr::core::vector3df& position,
              const irr::core::vector3df& rotation, const irr::core::vector3df& scale);
    void update(double frameDelta, float totalTime) override;
    irr::core::vector3df getPosition() const;

    void pickUp(BasePlayer* player);
    // Free again, thrown to a random spot nearby; out of play if that spot is off the floor.
    void scatter();
    // Out of play, held by `camp` until the match sends the unit back.
    void absorbInto(irr::scene::ISceneNode* camp);
    // Free again, standing on `spot`.
    void returnToPlay(const irr::core::vector3df& spot);
    // The glow of the unit and its particles.
    void setGlow(irr::video::SColor color);

    irr::scene::ISceneNode* target = nullptr;
    bool following = false;
    float speed = 0.0f;
    bool absorbed = false;
    BasePlayer* owner = nullptr;
    irr::scene::IParticleSystemSceneNode* effect = nullptr;
    BaseGameScene* scene = nullptr;

private:
    void addEffect();
    void follow();
    // The first player within reach takes the unit, the human first.
    void waitForAPlayer();
    bool withinReach(const BasePlayer* player) const;
    int scatterStep();
};
