#pragma once

#include <functional>
#include <vector>

// A colour with straight (not premultiplied) alpha, each channel 0 to 1.
struct Rgba
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;

    Rgba scaled(float factor) const { return {r * factor, g * factor, b * factor, a}; }
    // This colour moved toward `other` by `amount` (0 to 1), alpha included.
    Rgba mixedWith(const Rgba& other, float amount) const;
};

// An RGBA picture that textures and font pages are painted into before they are written.
class Canvas
{
public:
    Canvas(int width, int height, Rgba background = {0.0f, 0.0f, 0.0f, 0.0f});

    int width() const { return pixelWidth; }
    int height() const { return pixelHeight; }
    const Rgba& at(int x, int y) const { return pixels[index(x, y)]; }
    Rgba& at(int x, int y) { return pixels[index(x, y)]; }

    // Sets every pixel of the rectangle [x0, x1) x [y0, y1) from `shade`, which receives the
    // pixel's centre as fractions (s, t) of the rectangle; parts outside the canvas are skipped.
    void paint(int x0, int y0, int x1, int y1, const std::function<Rgba(float s, float t)>& shade);
    void fill(int x0, int y0, int x1, int y1, const Rgba& colour);
    // Lays `colour` over the pixel with `coverage` (0 to 1), as a brush would.
    void blend(int x, int y, const Rgba& colour, float coverage);

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * pixelWidth + x; }

    int pixelWidth;
    int pixelHeight;
    std::vector<Rgba> pixels;
};
