#include "External/AIPoint.h"

namespace irr::AI
{
AIPoint::AIPoint(const core::vector3df& position) : position(position)
{
}

const core::vector3df& AIPoint::getPosition() const
{
    return position;
}
}  // namespace irr::AI
