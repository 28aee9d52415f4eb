#pragma once

#include "Canvas.h"
#include "UvRect.h"

#include <functional>

// A rectangle of pixels of a model's texture: painted by a pattern, mapped by faces through `uv`.
struct TextureRegion
{
    int x0;
    int y0;
    int x1;
    int y1;
    int textureWidth;
    int textureHeight;

    UvRect uv() const { return UvRect::ofPixels(x0, y0, x1, y1, textureWidth, textureHeight); }
    // `pattern` receives fractions (s, t) across and down the region.
    void paint(Canvas& canvas, const std::function<Rgba(float s, float t)>& pattern) const
    {
        canvas.paint(x0, y0, x1, y1, pattern);
    }
};
