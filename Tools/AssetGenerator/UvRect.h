#pragma once

#include <irrlicht.h>

// A rectangle of a texture in texture coordinates (v grows downward, as in the image).
struct UvRect
{
    float u0 = 0.0f;
    float v0 = 0.0f;
    float u1 = 1.0f;
    float v1 = 1.0f;

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
