#include "Canvas.h"

#include <algorithm>

Rgba Rgba::mixedWith(const Rgba& other, float amount) const
{
    return {r + (other.r - r) * amount, g + (other.g - g) * amount, b + (other.b - b) * amount,
            a + (other.a - a) * amount};
}

Canvas::Canvas(int width, int height, Rgba background)
    : pixelWidth(width), pixelHeight(height),
      pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background)
{
}

void Canvas::paint(int x0, int y0, int x1, int y1, const std::function<Rgba(float s, float t)>& shade)
{
    const float width = static_cast<float>(x1 - x0);
    const float height = static_cast<float>(y1 - y0);
    for (int y = std::max(0, y0); y < std::min(pixelHeight, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(pixelWidth, x1); ++x)
            at(x, y) = shade((static_cast<float>(x - x0) + 0.5f) / width,
                             (static_cast<float>(y - y0) + 0.5f) / height);
}

void Canvas::fill(int x0, int y0, int x1, int y1, const Rgba& colour)
{
    paint(x0, y0, x1, y1, [&](float, float) { return colour; });
}

void Canvas::blend(int x, int y, const Rgba& colour, float coverage)
{
    if (x < 0 || y < 0 || x >= pixelWidth || y >= pixelHeight)
        return;
    Rgba& pixel = at(x, y);
    pixel = pixel.mixedWith(colour, std::clamp(coverage, 0.0f, 1.0f));
}
