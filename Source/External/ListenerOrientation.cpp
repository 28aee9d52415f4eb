#include "External/ListenerOrientation.h"

#include "External/OpenALSpace.h"
#include "External/VectorChecks.h"

#include <cmath>

namespace
{
// Double precision, so that huge but finite vectors neither overflow nor lose their direction.
irr::core::vector3d<double> unitVector(const irr::core::vector3d<double>& vector)
{
    const double length = vector.getLength();
    return length > 0 && std::isfinite(length) ? vector / length : irr::core::vector3d<double>();
}

irr::core::vector3d<double> unitVector(const irr::core::vector3df& vector)
{
    return unitVector(irr::core::vector3d<double>(vector.X, vector.Y, vector.Z));
}
}  // namespace

bool ListenerOrientation::update(const irr::core::vector3df& lookDirection,
                                 const irr::core::vector3df& upVector)
{
    if (!VectorChecks::isFinite(lookDirection) || !VectorChecks::isFinite(upVector))
        return false;
    const irr::core::vector3d<double> look = unitVector(lookDirection);
    irr::core::vector3d<double> up = unitVector(upVector);
    // Zero vectors have a zero cross product too.
    if (look.crossProduct(up).getLength() < minimumSine)
        return false;
    // OpenAL takes the pair as given, and an up vector that leans along the look would scale every 3-D
    // sound by the camera's tilt.
    up = unitVector(up - look * up.dotProduct(look));
    const auto openALLook = toOpenAL(irr::core::vector3df(look.X, look.Y, look.Z));
    const auto openALUp = toOpenAL(irr::core::vector3df(up.X, up.Y, up.Z));
    values = {openALLook[0], openALLook[1], openALLook[2], openALUp[0], openALUp[1], openALUp[2]};
    return true;
}
