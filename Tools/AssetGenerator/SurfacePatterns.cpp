#include "SurfacePatterns.h"

#include "ValueNoise.h"

#include <algorithm>
#include <cmath>

namespace
{
const ValueNoise blotches(31);
const ValueNoise fibres(37);

float frac(float value)
{
    return value - std::floor(value);
}
}  // namespace

Rgba SurfacePatterns::mottled(const Rgba& base, float s, float t, float strength)
{
    const double noise = blotches.fractal(s, t, 4, 4);
    return base.scaled(static_cast<float>(1.0 - strength * 0.5 + strength * noise));
}

Rgba SurfacePatterns::scales(const Rgba& base, float s, float t, int across, int down)
{
    const float row = t * static_cast<float>(down);
    const float shift = static_cast<int>(std::floor(row)) % 2 != 0 ? 0.5f : 0.0f;
    const float x = frac(s * static_cast<float>(across) + shift) - 0.5f;
    const float y = frac(row);
    // Each scale is a half disc hanging from its row's top; its rim darkens.
    const float rim = std::clamp(std::sqrt(x * x * 4.0f + y * y) - 0.55f, 0.0f, 0.45f) / 0.45f;
    return mottled(base, s, t, 0.35f).scaled(1.1f - 0.55f * rim);
}

Rgba SurfacePatterns::wood(const Rgba& base, float s, float t, int boards)
{
    const float board = t * static_cast<float>(boards);
    const float within = frac(board);
    const double grain = fibres.fractal(s * 0.5, board * 0.37 + within * 0.2, 8, 3);
    const float rings = 0.85f + 0.15f * static_cast<float>(std::sin(grain * 48.0));
    const float joint = std::min(1.0f, std::min(within, 1.0f - within) * 12.0f);
    return base.scaled(rings * (0.45f + 0.55f * joint) * (0.9f + 0.2f * frac(std::floor(board) * 0.618f)));
}

Rgba SurfacePatterns::leather(const Rgba& base, float s, float t)
{
    const Rgba skin = mottled(base, s, t, 0.3f);
    const float edge = std::min(std::min(s, 1.0f - s), std::min(t, 1.0f - t));
    const bool stitch = edge > 0.05f && edge < 0.08f && frac((s + t) * 20.0f) < 0.5f;
    return stitch ? Rgba{0.85f, 0.78f, 0.6f, 1.0f} : skin;
}

Rgba SurfacePatterns::iron(float s, float t)
{
    const Rgba metal = mottled({0.46f, 0.47f, 0.50f, 1.0f}, s, t, 0.35f);
    for (float cs : {0.12f, 0.88f})
        for (float ct : {0.12f, 0.88f})
            if (inEllipse(s, t, cs, ct, 0.05f, 0.05f))
                return Rgba{0.75f, 0.75f, 0.78f, 1.0f}.scaled(
                    1.0f - 0.4f * std::hypot(s - cs + 0.02f, t - ct + 0.02f) / 0.05f);
    return metal;
}

Rgba SurfacePatterns::horn(float s, float t)
{
    const Rgba root{0.93f, 0.89f, 0.76f, 1.0f};
    const Rgba tip{0.45f, 0.38f, 0.28f, 1.0f};
    return mottled(root.mixedWith(tip, t * t), s, t, 0.15f);
}

bool SurfacePatterns::inEllipse(float s, float t, float cs, float ct, float rs, float rt)
{
    const float ds = (s - cs) / rs;
    const float dt = (t - ct) / rt;
    return ds * ds + dt * dt <= 1.0f;
}
