#pragma once

#include "Canvas.h"

// Hand-painted looking surfaces for the models' textures, as functions of a region's (s, t).
class SurfacePatterns
{
public:
    // `base` with blotches of light and shade.
    static Rgba mottled(const Rgba& base, float s, float t, float strength);
    // Overlapping scales, `across` by `down` of them, each darker toward its rim.
    static Rgba scales(const Rgba& base, float s, float t, int across, int down);
    // Boards of wood running along s, `boards` of them down the region.
    static Rgba wood(const Rgba& base, float s, float t, int boards);
    // Leather with a stitched seam along each edge.
    static Rgba leather(const Rgba& base, float s, float t);
    // Hammered iron with a rivet in each corner.
    static Rgba iron(float s, float t);
    // Horn or tusk: pale at the root (t = 0), darker toward the tip.
    static Rgba horn(float s, float t);
    // Whether (s, t) lies inside the ellipse centred at (cs, ct) with radii (rs, rt).
    static bool inEllipse(float s, float t, float cs, float ct, float rs, float rt);
};
