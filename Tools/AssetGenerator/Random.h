#pragma once

#include <cstdint>

// A small seeded generator (SplitMix64), so every asset comes out the same on every run and
// every machine, whatever the standard library's distributions do.
class Random
{
public:
    explicit Random(std::uint64_t seed) : state(seed) {}

    std::uint64_t next();
    // Uniform in [0, 1).
    double uniform();
    double between(double low, double high) { return low + (high - low) * uniform(); }

    // A well-mixed value for a lattice point, the same for the same arguments.
    static std::uint64_t hash(std::uint64_t seed, std::int64_t x, std::int64_t y);
    static double hashToUnit(std::uint64_t seed, std::int64_t x, std::int64_t y);

private:
    std::uint64_t state;
};
