#pragma once

#include <cstdint>

// Smooth lattice noise that repeats over the unit square, so a texture painted with it tiles
// without a seam.
class ValueNoise
{
public:
    explicit ValueNoise(std::uint64_t seed) : seed(seed) {}

    // In [0, 1]; `period` lattice cells across the unit square.
    double at(double x, double y, int period) const;
    // Octaves of `at`, each twice as fine and half as strong; in [0, 1].
    double fractal(double x, double y, int period, int octaves) const;

    struct Cell
    {
        // Distances to the nearest and second nearest feature point, in cell widths.
        double nearest;
        double second;
        // A value in [0, 1) that names the nearest point's cell.
        double id;
    };
    // Cellular noise: one feature point per lattice cell, `period` cells across the unit square.
    // Irregular stones come from it: `id` colours a stone, `second - nearest` finds its edges.
    Cell cells(double x, double y, int period) const;

private:
    double lattice(std::int64_t x, std::int64_t y, int period) const;

    std::uint64_t seed;
};
