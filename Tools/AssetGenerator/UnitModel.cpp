#include "UnitModel.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int particleSize = 64;
}

MeshBuilder UnitModel::buildMesh()
{
    MeshBuilder mesh;
    mesh.useMaterial("unit");
    const float half = size / 2;
    BoxFaces faces;
    faces.withBottom = true;
    mesh.addBox(irr::core::aabbox3df(-half, bottom, -half, half, bottom + size, half), faces,
                MeshBuilder::stretched);
    return mesh;
}

Canvas UnitModel::paintParticle()
{
    Canvas sprite(particleSize, particleSize);
    sprite.paint(0, 0, particleSize, particleSize,
                 [](float s, float t)
                 {
                     const float x = s - 0.5f;
                     const float y = t - 0.5f;
                     const float radius = std::hypot(x, y) * 2.0f;
                     const float petals = 0.75f + 0.25f * std::cos(6.0f * std::atan2(y, x));
                     const float glow = std::clamp(1.0f - radius / petals, 0.0f, 1.0f);
                     const float strength = glow * glow;
                     return Rgba{strength, strength, strength, strength};
                 });
    return sprite;
}
