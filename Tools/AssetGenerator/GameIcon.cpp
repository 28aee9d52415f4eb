#include "GameIcon.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int samplesAcross = 4;
constexpr float pi = 3.14159265f;

constexpr float outlineRadius = 0.485f;
constexpr float ringRadius = 0.465f;
constexpr float fieldRadius = 0.395f;

const Rgba outline{0.18f, 0.1f, 0.04f, 1.0f};
const Rgba gold{0.92f, 0.72f, 0.24f, 1.0f};
const Rgba field{0.62f, 0.1f, 0.12f, 1.0f};
const Rgba vane{0.97f, 0.96f, 0.91f, 1.0f};
const Rgba barb{0.78f, 0.77f, 0.74f, 1.0f};
const Rgba shaft{0.86f, 0.8f, 0.66f, 1.0f};
const Rgba ink{0.08f, 0.06f, 0.1f, 1.0f};

// The quill lies along the diagonal from lower left (nib) to upper right (tip of the feather):
// `along` runs that way from the centre, `across` at right angles to it.
struct QuillPoint
{
    float along;
    float across;
};

QuillPoint onQuill(float x, float y)
{
    const float dx = x - 0.5f;
    const float dy = y - 0.5f;
    const float axis = std::sqrt(0.5f);
    return {(dx - dy) * axis, (dx + dy) * axis};
}

// The feather's half width at `along`; zero off the vane. Wider on one side, as a real quill is.
float vaneHalfWidth(float along, bool outerSide)
{
    constexpr float start = -0.2f;
    constexpr float end = 0.35f;
    if (along <= start || along >= end)
        return 0.0f;
    const float t = (along - start) / (end - start);
    const float swell = std::sin(pi * std::pow(t, 0.75f));
    return swell * (outerSide ? 0.1f : 0.065f);
}

bool onVane(const QuillPoint& point)
{
    return std::fabs(point.across) < vaneHalfWidth(point.along, point.across > 0.0f);
}

bool onShaft(const QuillPoint& point)
{
    return point.along > -0.3f && point.along < 0.36f && std::fabs(point.across) < 0.008f;
}

bool onNib(const QuillPoint& point)
{
    constexpr float tip = -0.37f;
    constexpr float length = 0.09f;
    const float fromTip = point.along - tip;
    return fromTip > 0.0f && fromTip < length && std::fabs(point.across) < 0.016f * fromTip / length + 0.002f;
}

// Barbs slant from the shaft toward the tip.
Rgba feather(const QuillPoint& point)
{
    const float stripe = std::fmod((point.along - std::fabs(point.across) * 0.9f) * 34.0f + 10.0f, 1.0f);
    return stripe < 0.14f ? barb : vane;
}

Rgba quillOrField(float x, float y)
{
    const QuillPoint point = onQuill(x, y);
    if (onNib(point))
        return ink;
    if (onShaft(point))
        return shaft;
    if (onVane(point))
        return feather(point);
    // Light falls from the upper left.
    const float light = 1.1f - 0.35f * std::hypot(x - 0.38f, y - 0.35f);
    return field.scaled(light);
}

// The colour at a point of the unit square, transparent outside the ring.
Rgba shade(float x, float y)
{
    const float radius = std::hypot(x - 0.5f, y - 0.5f);
    if (radius > outlineRadius)
        return {0.0f, 0.0f, 0.0f, 0.0f};
    if (radius > ringRadius || (radius > fieldRadius && radius < fieldRadius + 0.015f))
        return outline;
    if (radius > fieldRadius)
        return gold.scaled(1.05f - 0.25f * (y - 0.5f));
    return quillOrField(x, y);
}

// The average of several samples inside the pixel, weighted by their alpha, so edges are smooth.
Rgba pixelColour(int px, int py, int size)
{
    Rgba sum{0.0f, 0.0f, 0.0f, 0.0f};
    for (int sy = 0; sy < samplesAcross; ++sy)
        for (int sx = 0; sx < samplesAcross; ++sx)
        {
            const float x = (static_cast<float>(px) + (static_cast<float>(sx) + 0.5f) / samplesAcross) / size;
            const float y = (static_cast<float>(py) + (static_cast<float>(sy) + 0.5f) / samplesAcross) / size;
            const Rgba sample = shade(x, y);
            sum = {sum.r + sample.r * sample.a, sum.g + sample.g * sample.a, sum.b + sample.b * sample.a,
                   sum.a + sample.a};
        }
    if (sum.a <= 0.0f)
        return {0.0f, 0.0f, 0.0f, 0.0f};
    const float samples = static_cast<float>(samplesAcross * samplesAcross);
    return {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, std::min(1.0f, sum.a / samples)};
}
}  // namespace

const std::vector<int>& GameIcon::sizes()
{
    static const std::vector<int> all = {32, 48, 64, 128, 256};
    return all;
}

std::string GameIcon::fileName(int size)
{
    return "Icons/quillmarch_" + std::to_string(size) + ".png";
}

Canvas GameIcon::paint(int size)
{
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            canvas.at(x, y) = pixelColour(x, y, size);
    return canvas;
}
