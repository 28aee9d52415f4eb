#include "GameEngine/BaseEntity.h"

bool BaseEntity::isAlive()
{
    return true;
}

void BaseEntity::update(double /*frameDelta*/, float /*totalTime*/)
{
}

void BaseEntity::draw(double /*frameDelta*/, float /*totalTime*/)
{
}

void BaseEntity::exit()
{
}
