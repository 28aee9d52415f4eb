#include "Random.h"

namespace
{
std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double toUnit(std::uint64_t bits)
{
    return static_cast<double>(bits >> 11) * (1.0 / 9007199254740992.0);
}
}  // namespace

std::uint64_t Random::next()
{
    state += 0x9E3779B97F4A7C15ull;
    return mix(state);
}

double Random::uniform()
{
    return toUnit(next());
}

std::uint64_t Random::hash(std::uint64_t seed, std::int64_t x, std::int64_t y)
{
    const std::uint64_t h = mix(seed ^ mix(static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull));
    return mix(h ^ (static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4Full));
}

double Random::hashToUnit(std::uint64_t seed, std::int64_t x, std::int64_t y)
{
    return toUnit(hash(seed, x, y));
}
