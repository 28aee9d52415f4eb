#include "External/VectorChecks.h"

#include <cmath>

bool VectorChecks::isFinite(const irr::core::vector3df& vector)
{
    return std::isfinite(vector.X) && std::isfinite(vector.Y) && std::isfinite(vector.Z);
}
