#include "ArenaAtlas.h"

#include "Random.h"
#include "ValueNoise.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace
{
constexpr int atlasWidth = ArenaAtlas::regionSize * ArenaAtlas::columns;
constexpr int atlasHeight = ArenaAtlas::regionSize * ArenaAtlas::rows;
constexpr double pi = 3.14159265358979323846;
const ValueNoise grain(7);
const ValueNoise stones(11);

struct Block
{
    double id;
    // Distance to the nearest joint, in texture units of the region.
    double edge;
};

// Courses of rectangular blocks, every other course shifted by half a block when staggered.
Block blocks(double s, double t, int courses, int perCourse, bool staggered, std::uint64_t seed)
{
    const double row = t * courses;
    const auto course = static_cast<std::int64_t>(std::floor(row));
    const double shift = staggered && course % 2 != 0 ? 0.5 : 0.0;
    const double column = s * perCourse + shift;
    const auto block = static_cast<std::int64_t>(std::floor(column));
    const double fx = column - static_cast<double>(block);
    const double fy = row - static_cast<double>(course);
    const double edge = std::min(std::min(fx, 1.0 - fx) / perCourse, std::min(fy, 1.0 - fy) / courses);
    return {Random::hashToUnit(seed, (block % perCourse + perCourse) % perCourse, course), edge};
}

// A block face: its own shade, fine grain, a bevel toward the joint and dark mortar in it.
Rgba masonry(const Rgba& stone, const Rgba& mortar, const Block& block, double s, double t,
             double mortarWidth)
{
    if (block.edge < mortarWidth)
        return mortar.scaled(static_cast<float>(0.8 + 0.4 * grain.at(s, t, 64)));
    const double bevel = std::min(1.0, (block.edge - mortarWidth) / (mortarWidth * 2.5));
    const double shade =
        (0.82 + 0.3 * block.id) * (0.75 + 0.35 * grain.fractal(s, t, 16, 4)) * (0.7 + 0.3 * bevel);
    return stone.scaled(static_cast<float>(shade));
}

Rgba floorStones(double s, double t)
{
    return masonry({0.44f, 0.44f, 0.47f, 1.0f}, {0.16f, 0.15f, 0.14f, 1.0f}, blocks(s, t, 4, 4, false, 3), s,
                   t, 0.010);
}

Rgba floorEmblem(double s, double t)
{
    // A bronze ring with an eight-pointed star inlaid in the stones of the arena's middle.
    const double x = s - 0.5;
    const double y = t - 0.5;
    const double radius = std::hypot(x, y);
    const double angle = std::atan2(y, x);
    const double starReach = 0.18 + 0.17 * std::pow(std::fabs(std::cos(4.0 * angle)), 6.0);
    const Rgba bronze{0.72f, 0.50f, 0.22f, 1.0f};
    const Rgba garnet{0.45f, 0.10f, 0.10f, 1.0f};
    const float wear = static_cast<float>(0.75 + 0.35 * grain.fractal(s, t, 16, 4));
    if (radius > 0.40 && radius < 0.45)
        return bronze.scaled(wear);
    if (radius < starReach)
        return (radius < 0.06 ? bronze : garnet).scaled(wear);
    return masonry({0.40f, 0.40f, 0.44f, 1.0f}, {0.16f, 0.15f, 0.14f, 1.0f}, blocks(s, t, 8, 8, false, 5), s,
                   t, 0.006);
}

Rgba wallBricks(double s, double t)
{
    return masonry({0.50f, 0.43f, 0.36f, 1.0f}, {0.15f, 0.13f, 0.12f, 1.0f}, blocks(s, t, 8, 4, true, 13), s,
                   t, 0.008);
}

Rgba wallTop(double s, double t)
{
    return masonry({0.58f, 0.56f, 0.52f, 1.0f}, {0.20f, 0.19f, 0.18f, 1.0f}, blocks(s, t, 2, 2, true, 17), s,
                   t, 0.012);
}

Rgba pillarShaft(double s, double t)
{
    // Sandstone drums with vertical flutes.
    const double flute = 0.78 + 0.22 * std::cos(2.0 * pi * 6.0 * s);
    const Block drum = blocks(s, t, 2, 1, false, 19);
    const Rgba sandstone{0.70f, 0.61f, 0.46f, 1.0f};
    return masonry(sandstone.scaled(static_cast<float>(flute)), {0.25f, 0.21f, 0.16f, 1.0f}, drum, s, t,
                   0.008);
}

Rgba pillarTrim(double s, double t)
{
    // Carved bands of darker stone for the base and the capital.
    const double band = 0.7 + 0.3 * std::fabs(std::sin(pi * 3.0 * t));
    const double beads = 0.85 + 0.15 * std::cos(2.0 * pi * 16.0 * s) * (std::fabs(t - 0.5) < 0.1 ? 1.0 : 0.0);
    const double shade = band * beads * (0.8 + 0.3 * grain.fractal(s, t, 16, 3));
    return Rgba{0.52f, 0.45f, 0.35f, 1.0f}.scaled(static_cast<float>(shade));
}

Rgba ruinRubble(double s, double t)
{
    // Irregular stones, mossy toward the ground (the bottom of the region).
    const ValueNoise::Cell cell = stones.cells(s, t, 6);
    const double joint = cell.second - cell.nearest;
    const Rgba mortar{0.12f, 0.12f, 0.10f, 1.0f};
    if (joint < 0.08)
        return mortar;
    const double shade =
        (0.75 + 0.35 * cell.id) * (0.7 + 0.4 * grain.fractal(s, t, 16, 4)) * std::min(1.0, 0.6 + joint * 2.0);
    const Rgba stone = Rgba{0.46f, 0.46f, 0.42f, 1.0f}.scaled(static_cast<float>(shade));
    const double moss = grain.fractal(s + 0.37, t + 0.11, 8, 4) + 0.3 * t - 0.62;
    return stone.mixedWith({0.22f, 0.36f, 0.14f, 1.0f}, static_cast<float>(std::clamp(moss * 4.0, 0.0, 0.7)));
}

Rgba crateWood(double s, double t)
{
    // Planks across the face inside a frame of darker boards.
    const double frame = 0.12;
    const bool onFrame = s < frame || s > 1.0 - frame || t < frame || t > 1.0 - frame;
    const double plank = onFrame ? 0.0 : std::floor((t - frame) / ((1.0 - 2.0 * frame) / 4.0));
    const double along = onFrame && (t < frame || t > 1.0 - frame) ? s : (onFrame ? t : s);
    const double across = onFrame && (t < frame || t > 1.0 - frame) ? t : (onFrame ? s : t);
    const double fibres = grain.fractal(along * 0.25, across * 4.0 + plank * 0.3, 16, 3);
    const double rings = 0.85 + 0.15 * std::sin(fibres * 40.0);
    const Block boards = blocks(s, t, onFrame ? 1 : 4, 1, false, 23);
    const double joint = onFrame ? 1.0 : std::min(1.0, boards.edge / 0.01);
    const Rgba wood = onFrame ? Rgba{0.36f, 0.23f, 0.12f, 1.0f} : Rgba{0.55f, 0.38f, 0.20f, 1.0f};
    return wood.scaled(static_cast<float>(rings * (0.85 + 0.3 * boards.id) * (0.45 + 0.55 * joint)));
}

const std::function<Rgba(double, double)>& painterFor(ArenaSurface surface)
{
    static const std::function<Rgba(double, double)> painters[] = {
        floorStones, floorEmblem, wallBricks, wallTop, pillarShaft, pillarTrim, ruinRubble, crateWood};
    return painters[static_cast<int>(surface)];
}

double wrapUnit(double value)
{
    return value - std::floor(value);
}
}  // namespace

UvRect ArenaAtlas::region(ArenaSurface surface)
{
    const int index = static_cast<int>(surface);
    const float x0 = static_cast<float>((index % columns) * regionSize + padding);
    const float y0 = static_cast<float>((index / columns) * regionSize + padding);
    const float inner = static_cast<float>(regionSize - 2 * padding);
    return {x0 / atlasWidth, y0 / atlasHeight, (x0 + inner) / atlasWidth, (y0 + inner) / atlasHeight};
}

Canvas ArenaAtlas::paint()
{
    Canvas atlas(atlasWidth, atlasHeight);
    const double inner = regionSize - 2 * padding;
    for (int index = 0; index < columns * rows; ++index)
    {
        const auto& painter = painterFor(static_cast<ArenaSurface>(index));
        const int x0 = (index % columns) * regionSize;
        const int y0 = (index / columns) * regionSize;
        atlas.paint(x0, y0, x0 + regionSize, y0 + regionSize,
                    [&](float s, float t)
                    {
                        // Coordinates of the mapped part, wrapped so the padding repeats the opposite edge.
                        const double u = wrapUnit((s * regionSize - padding) / inner);
                        const double v = wrapUnit((t * regionSize - padding) / inner);
                        return painter(u, v);
                    });
    }
    return atlas;
}
