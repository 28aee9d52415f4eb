#pragma once

#include <irrlicht.h>

namespace irr::AI
{
// One corner of a path, handed to the receiver of a navigating unit.
class AIPoint
{
public:
    AIPoint() = default;
    explicit AIPoint(const core::vector3df& position);

    const core::vector3df& getPosition() const;

private:
    core::vector3df position;
};
}  // namespace irr::AI
