#include "VaultTexture.h"

#include "Random.h"
#include "Scenes/ArenaVault.h"
#include "ValueNoise.h"

#include <algorithm>
#include <cmath>

namespace
{
const ValueNoise grain(41);
const ValueNoise stains(43);
const Rgba stone{0.40f, 0.35f, 0.30f, 1.0f};
const Rgba ribStone{0.52f, 0.46f, 0.38f, 1.0f};
const Rgba mortar{0.10f, 0.09f, 0.08f, 1.0f};
const Rgba darkness{0.025f, 0.02f, 0.018f, 1.0f};
const Rgba torchlight{1.0f, 0.62f, 0.26f, 1.0f};
constexpr double stoneCourse = 1.2;  // degrees of elevation per course

double fraction(double value)
{
    return value - std::floor(value);
}

// How much the torches light a spot at elevation `e`: most at the walls, little at the top of the vault.
double torchLit(double e)
{
    return 0.25 + 0.75 * std::exp(-std::max(0.0, e - VaultTexture::torchHeight) / 18.0);
}

// Courses of stone with staggered joints; `across` blocks once around at this elevation.
Rgba masonry(double s, double e, int across, std::uint64_t seed)
{
    const double row = e / stoneCourse;
    const auto course = static_cast<std::int64_t>(std::floor(row));
    const double shifted = s * across + (course % 2 != 0 ? 0.5 : 0.0);
    const auto block = static_cast<std::int64_t>(std::floor(shifted));
    const double edge = std::min(std::min(fraction(shifted), 1.0 - fraction(shifted)) * 3.0,
                                 std::min(fraction(row), 1.0 - fraction(row)));
    const double texture = 0.75 + 0.35 * grain.fractal(s, e / 120.0, 64, 3);
    if (edge < 0.07)
        return mortar.scaled(static_cast<float>(texture));
    const double shade = 0.8 + 0.35 * Random::hashToUnit(seed, (block % across + across) % across, course);
    return stone.scaled(static_cast<float>(shade * texture * (0.8 + 0.2 * std::min(1.0, edge / 0.2))));
}

// The vault above the spring line: ribs from the walls to the top over the webbing of stone.
Rgba vault(double s, double e)
{
    const double toRib = std::fabs(fraction(s * VaultTexture::ribs + 0.5) - 0.5) / VaultTexture::ribs;
    // A rib looks as wide at every height: the meridians close in toward the top.
    const double ribHalfWidth = 0.0018 / std::max(0.08, std::cos(e * 3.14159265358979 / 180.0));
    if (toRib < ribHalfWidth)
    {
        const double round = std::sqrt(1.0 - toRib / ribHalfWidth);
        return ribStone.scaled(
            static_cast<float>((0.55 + 0.5 * round) * (0.85 + 0.3 * grain.at(s, e / 90.0, 64))));
    }
    const int across = std::max(VaultTexture::ribs,
                                static_cast<int>(std::lround(96.0 * std::cos(e * 3.14159265358979 / 180.0))));
    return masonry(s, e, across - across % VaultTexture::ribs, 3);
}

// The far walls: an arcade of dark openings between pillars, a torch on each pillar.
Rgba arcade(double s, double e)
{
    const double bay = fraction(s * VaultTexture::arches);
    const double bayDegrees = 360.0 / VaultTexture::arches;
    const double fromMiddle = (bay - 0.5) * bayDegrees;
    const double openingHalfWidth = bayDegrees * 0.32;
    const double springing = VaultTexture::archCrown - openingHalfWidth;
    const bool opening = std::fabs(fromMiddle) < openingHalfWidth &&
                         (e < springing || std::hypot(fromMiddle, e - springing) < openingHalfWidth);
    Rgba colour = opening ? darkness.mixedWith(torchlight, static_cast<float>(0.05 * std::exp(-e / 3.0)))
                          : masonry(s, e, VaultTexture::arches * 7, 5);
    // The torch between two bays and its glow on the stones around it.
    const double fromTorch =
        std::hypot(std::fabs(bay < 0.5 ? bay : bay - 1.0) * bayDegrees, e - VaultTexture::torchHeight);
    if (fromTorch < 0.45)
        return torchlight.mixedWith({1.0f, 0.95f, 0.8f, 1.0f}, static_cast<float>(1.0 - fromTorch / 0.45));
    return colour.mixedWith(torchlight, static_cast<float>(0.35 * std::exp(-fromTorch / 1.8)));
}

// The hall's floor beyond the arena's walls, fading into the dark.
Rgba hallFloor(double s, double e)
{
    const Rgba slabs = masonry(s, e * 0.5, VaultTexture::arches * 4, 7);
    return slabs.mixedWith(darkness, static_cast<float>(std::min(1.0, -e / 8.0)));
}

Rgba vaultAt(double s, double t)
{
    const double e = VaultTexture::elevationAt(t);
    Rgba colour = e >= VaultTexture::springLine ? vault(s, e) : e >= 0.0 ? arcade(s, e) : hallFloor(s, e);
    // Old soot and damp on the stones.
    colour = colour.scaled(static_cast<float>(0.8 + 0.25 * stains.fractal(s, t, 8, 4)));
    return colour.scaled(static_cast<float>(torchLit(e)));
}
}  // namespace

double VaultTexture::elevationAt(double t)
{
    return ArenaVault::degreesAboveHorizon -
           t * (ArenaVault::degreesAboveHorizon + ArenaVault::degreesBelowHorizon);
}

Canvas VaultTexture::paint()
{
    Canvas canvas(width, height);
    canvas.paint(0, 0, width, height,
                 [](float s, float t)
                 {
                     Rgba colour = vaultAt(s, t);
                     colour.a = 1.0f;
                     return colour;
                 });
    return canvas;
}
