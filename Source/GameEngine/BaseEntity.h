#pragma once

#include <irrlicht.h>

// Everything that lives in a match: the scene updates, draws and finally exits each entity.
class BaseEntity
{
public:
    BaseEntity() = default;
    virtual ~BaseEntity() = default;
    BaseEntity(const BaseEntity&) = delete;
    BaseEntity& operator=(const BaseEntity&) = delete;

    virtual bool isAlive();
    virtual void update(double frameDelta, float totalTime);
    virtual void draw(double frameDelta, float totalTime);
    virtual void exit();

    // Belongs to the scene graph, not to the entity.
    irr::scene::ISceneNode* node = nullptr;
};
