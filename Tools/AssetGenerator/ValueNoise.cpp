#include "ValueNoise.h"

#include "Random.h"

#include <cmath>

namespace
{
double smooth(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

double mixValues(double a, double b, double t)
{
    return a + (b - a) * t;
}

std::int64_t wrap(std::int64_t value, int period)
{
    const std::int64_t rest = value % period;
    return rest < 0 ? rest + period : rest;
}
}  // namespace

double ValueNoise::lattice(std::int64_t x, std::int64_t y, int period) const
{
    return Random::hashToUnit(seed + static_cast<std::uint64_t>(period), wrap(x, period), wrap(y, period));
}

double ValueNoise::at(double x, double y, int period) const
{
    const double fx = x * period;
    const double fy = y * period;
    const double cellX = std::floor(fx);
    const double cellY = std::floor(fy);
    const auto ix = static_cast<std::int64_t>(cellX);
    const auto iy = static_cast<std::int64_t>(cellY);
    const double tx = smooth(fx - cellX);
    const double ty = smooth(fy - cellY);
    const double top = mixValues(lattice(ix, iy, period), lattice(ix + 1, iy, period), tx);
    const double bottom = mixValues(lattice(ix, iy + 1, period), lattice(ix + 1, iy + 1, period), tx);
    return mixValues(top, bottom, ty);
}

double ValueNoise::fractal(double x, double y, int period, int octaves) const
{
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    for (int octave = 0; octave < octaves; ++octave)
    {
        sum += weight * at(x, y, period << octave);
        total += weight;
        weight *= 0.5;
    }
    return sum / total;
}

ValueNoise::Cell ValueNoise::cells(double x, double y, int period) const
{
    const double fx = x * period;
    const double fy = y * period;
    const auto ix = static_cast<std::int64_t>(std::floor(fx));
    const auto iy = static_cast<std::int64_t>(std::floor(fy));
    Cell result{1e9, 1e9, 0.0};
    for (std::int64_t dy = -1; dy <= 1; ++dy)
        for (std::int64_t dx = -1; dx <= 1; ++dx)
        {
            const std::int64_t cx = wrap(ix + dx, period);
            const std::int64_t cy = wrap(iy + dy, period);
            const double px = static_cast<double>(ix + dx) + 0.15 + 0.7 * Random::hashToUnit(seed, cx, cy);
            const double py =
                static_cast<double>(iy + dy) + 0.15 + 0.7 * Random::hashToUnit(seed + 1, cx, cy);
            const double distance = std::hypot(fx - px, fy - py);
            if (distance < result.nearest)
            {
                result.second = result.nearest;
                result.nearest = distance;
                result.id = Random::hashToUnit(seed + 2, cx, cy);
            }
            else if (distance < result.second)
                result.second = distance;
        }
    return result;
}
