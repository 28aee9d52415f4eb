#pragma once

#include "Entities/Circle.h"
#include "GameEngine/BaseEntity.h"

#include <irrlicht.h>
#include <memory>

class BaseGameScene;

// A base founded with a player's units: the model with its flag, the unit count above it, and two rings
// on the ground. The outer ring is the camp's territory and its area the owner's score; it grows with the
// camp's units toward its target, held back by the level's walls and by neighbouring camps.
class Camp : public BaseEntity
{
public:
    static constexpr const char* meshPath = "../Assets/Models/newCamp.obj";
    static constexpr const char* bodyTexturePath = "../Assets/Models/camptex.png";
    static constexpr const char* flagTexturePath = "../Assets/Models/campflag.png";
    static constexpr const char* labelFontPath = "../Assets/Fonts/avenir_LT_14.xml";
    static constexpr irr::s32 noOwner = 999;
    static constexpr float largestRadius = 50.0f;
    static constexpr float startRadius = 5.0f;
    static constexpr float startCoreRadius = 3.0f;
    // The rings stay put while this close to their target.
    static constexpr float ringDeadBand = 0.3f;
    // Per unit and millisecond.
    static constexpr double ringGrowth = 0.001;
    static constexpr double coreGrowth = 0.0002;
    static constexpr float labelHeight = 80.0f;

    Camp();
    ~Camp() override;

    bool init(BaseGameScene* scene, const irr::core::vector3df& position,
              const irr::core::vector3df& rotation, const irr::core::vector3df& scale,
              const irr::video::SColorf& color, int unitCount);
    // Ring motion, decay and the drawing of both rings; once per drawn frame.
    void updateAndDraw(double frameDelta, float totalTime, BaseGameScene* scene);
    irr::core::vector3df getPosition() const;

    // Shows the unit count above the model.
    void showUnitCount();
    // A new owner: its colour on the rings and the label.
    void takeOwnerColor(irr::video::SColor ownerColor);

    irr::s32 ownerId = 0;
    std::unique_ptr<Circle> ring;
    std::unique_ptr<Circle> coreRing;
    float fullRadius = largestRadius;
    float targetRadius = largestRadius;
    float ringTime = 0.0f;
    float ringInterval = 0.5f;
    irr::u16 unitCount = 0;
    irr::video::SColor color;
    irr::scene::ITextSceneNode* countLabel = nullptr;
    irr::video::SMaterial campMaterial;
    irr::video::SMaterial flagMaterial;
    float decayInterval = 3000.0f;
    float decayTime = 0.0f;
    irr::u16 decayFloor = 5;

private:
    void dressModel(BaseGameScene* scene, const irr::video::SColorf& color);
    void turnAtRandom(BaseGameScene* scene);
    void addCountLabel(BaseGameScene* scene, irr::video::SColor labelColor);
    // Bounds the ring by the level's walls around the camp.
    void fitToLevel(BaseGameScene* scene);
    void moveRings(double frameDelta);
    void growRing(double frameDelta);
    void decay(double frameDelta);
};
