#pragma once

#include <irrlicht.h>

// A rectangle of a texture in texture coordinates (v grows downward, as in the image).
struct UvRect
{
    float u0 = 0.0f;
    float v0 = 0.0f;
    float u1 = 1.0f;
    float v1 = 1.0f;

    // The pixels [x0, x1) x [y0, y1) of a texture of the given size, pulled in by half a texel so
    // that filtering at the edge stays inside.
    static UvRect ofPixels(int x0, int y0, int x1, int y1, int width, int height)
    {
        const float w = static_cast<float>(width);
        const float h = static_cast<float>(height);
        return {(x0 + 0.5f) / w, (y0 + 0.5f) / h, (x1 - 0.5f) / w, (y1 - 0.5f) / h};
    }

    // The point at fractions (s, t) across and down the rectangle.
    irr::core::vector2df at(float s, float t) const { return {u0 + (u1 - u0) * s, v0 + (v1 - v0) * t}; }
    // The part from (s0, t0) to (s1, t1), in fractions of this rectangle.
    UvRect part(float s0, float t0, float s1, float t1) const
    {
        const irr::core::vector2df from = at(s0, t0);
        const irr::core::vector2df to = at(s1, t1);
        return {from.X, from.Y, to.X, to.Y};
    }
};
