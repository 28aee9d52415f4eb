#include "DragonModel.h"

#include "ModelShapes.h"
#include "SurfacePatterns.h"
#include "TextureRegion.h"

#include <cmath>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
constexpr int textureSize = 256;
const TextureRegion bodyRegion{0, 0, 128, 128, textureSize, textureSize};
const TextureRegion headRegion{128, 0, 256, 128, textureSize, textureSize};
const TextureRegion wingRegion{0, 128, 128, 256, textureSize, textureSize};
const TextureRegion hornRegion{128, 128, 192, 192, textureSize, textureSize};
const TextureRegion limbRegion{192, 128, 256, 192, textureSize, textureSize};
const TextureRegion spikeRegion{128, 192, 256, 256, textureSize, textureSize};

const Rgba scaleGreen{0.18f, 0.52f, 0.26f, 1.0f};
const Rgba bellyGold{0.86f, 0.72f, 0.40f, 1.0f};

void addBodyAndTail(MeshBuilder& mesh)
{
    ModelShapes::addTube(mesh, {{-11, -6, 0}, {-6, -5.5f, 0}, {0, -5, 0}, {5, -4.5f, 0}, {9, -3.5f, 0}},
                         {{3.2f, 3.2f}, {5, 5}, {6, 5.8f}, {5.2f, 5.2f}, {3.4f, 3.6f}}, 10, bodyRegion.uv());
    ModelShapes::addTube(
        mesh, {{-10, -6, 0}, {-16, -8, 0}, {-22, -10.5f, 0}, {-27, -12, 2}, {-31, -12.5f, 4}, {-34, -12, 5}},
        {{3, 3}, {2.3f, 2.3f}, {1.7f, 1.7f}, {1.1f, 1.1f}, {0.6f, 0.6f}, {0.2f, 0.2f}}, 6, bodyRegion.uv());
    // The spade at the tail's tip.
    const UvRect spike = spikeRegion.uv();
    mesh.addTwoSidedTriangle({{-33, -12, 5}, spike.at(0, 0.5f)}, {{-38, -10, 5.5f}, spike.at(1, 0)},
                             {{-38, -14, 5.5f}, spike.at(1, 1)});
    // A crest of spikes along the back.
    for (float x = -8.0f; x <= 7.0f; x += 3.0f)
    {
        const float top = -5.0f + 0.05f * x + 5.8f - 0.012f * x * x;
        mesh.addTwoSidedTriangle({{x - 1.3f, top - 0.4f, 0}, spike.at(0, 1)},
                                 {{x + 1.3f, top - 0.4f, 0}, spike.at(1, 1)},
                                 {{x - 0.6f, top + 2.4f, 0}, spike.at(0.5f, 0)});
    }
}

void addNeckAndHead(MeshBuilder& mesh)
{
    ModelShapes::addTube(mesh, {{7, -3, 0}, {11, 0, 0}, {14, 4, 0}, {16, 6.5f, 0}},
                         {{3.4f, 3.6f}, {2.8f, 3}, {2.4f, 2.6f}, {2.4f, 2.6f}}, 8, bodyRegion.uv());
    ModelShapes::addTube(mesh, {{14.5f, 7, 0}, {17, 7.3f, 0}, {20, 6.6f, 0}, {23, 5.6f, 0}, {25.5f, 5, 0}},
                         {{2.6f, 2.8f}, {3.2f, 3}, {2.6f, 2.4f}, {1.9f, 1.7f}, {1.3f, 1.1f}}, 8,
                         headRegion.uv());
    for (float side : {-1.0f, 1.0f})
        ModelShapes::addTube(mesh, {{15.5f, 9, 1.6f * side}, {13, 11.5f, 2.4f * side}, {10, 13, 3 * side}},
                             {{0.8f, 0.8f}, {0.5f, 0.5f}, {0.1f, 0.1f}}, 5, hornRegion.uv());
}

void addLegs(MeshBuilder& mesh)
{
    const UvRect limb = limbRegion.uv();
    for (float x : {5.0f, -6.0f})
        for (float side : {-1.0f, 1.0f})
        {
            const float z = side * (x > 0 ? 4.2f : 4.6f);
            ModelShapes::addTube(mesh, {{x, -7, z}, {x + 1, -13, z * 1.1f}, {x - 0.5f, -18.5f, z * 1.1f}},
                                 {{2.4f, 2.4f}, {1.8f, 1.8f}, {1.5f, 1.5f}}, 6, limbRegion.uv());
            const float footZ = z * 1.1f;
            mesh.addBox(irr::core::aabbox3df(x - 2.0f, DragonModel::feetHeight, footZ - 1.6f, x + 3.0f,
                                             -18.0f, footZ + 1.6f),
                        limb, limb, MeshBuilder::stretched);
        }
}

void addWings(MeshBuilder& mesh)
{
    const UvRect membrane = wingRegion.uv();
    // Spread over the membrane region by where each point lies on the wing's plan.
    auto at = [&](const vector3df& point) {
        return MeshCorner{point, membrane.at((point.X + 10.0f) / 15.0f, (point.Z - 3.0f) / 20.0f)};
    };
    for (float side : {1.0f, -1.0f})
    {
        irr::core::matrix4 mirror;
        mirror.setScale(vector3df(1.0f, 1.0f, side));
        mesh.setTransform(mirror);
        const vector3df rootFront(4, 0.5f, 3.5f);
        const vector3df rootBack(-4, -0.5f, 3.5f);
        const vector3df elbow(0, 8, 12);
        const vector3df tip(-5, 10, 22);
        const vector3df trailingOuter(-9, 2, 18);
        const vector3df trailingInner(-9, 0, 11);
        mesh.addTwoSidedTriangle(at(rootFront), at(elbow), at(rootBack));
        mesh.addTwoSidedTriangle(at(rootBack), at(elbow), at(trailingInner));
        mesh.addTwoSidedTriangle(at(elbow), at(trailingOuter), at(trailingInner));
        mesh.addTwoSidedTriangle(at(elbow), at(tip), at(trailingOuter));
        ModelShapes::addTube(mesh, {rootFront, elbow, tip}, {{0.9f, 0.9f}, {0.7f, 0.7f}, {0.2f, 0.2f}}, 5,
                             hornRegion.uv());
    }
    mesh.resetTransform();
}

Rgba bodyPattern(float s, float t)
{
    // The loft's underside runs down the middle of the region: a golden, ridged belly there.
    const float fromBelly = std::fabs(s - 0.5f);
    if (fromBelly < 0.14f)
    {
        const float ridge = 0.8f + 0.2f * std::cos(t * 2.0f * 3.14159265f * 10.0f);
        return SurfacePatterns::mottled(bellyGold, s, t, 0.2f).scaled(ridge);
    }
    return SurfacePatterns::scales(scaleGreen, s, t, 8, 10);
}

Rgba headPattern(float s, float t)
{
    // Eyes on both sides, a third of the way from the back of the head; nostrils at the snout.
    for (float eye : {0.25f, 0.75f})
        if (SurfacePatterns::inEllipse(s, t, eye, 0.32f, 0.05f, 0.07f))
            return std::fabs(s - eye) < 0.012f ? Rgba{0.05f, 0.05f, 0.05f, 1.0f}
                                               : Rgba{1.0f, 0.82f, 0.15f, 1.0f};
    for (float nostril : {0.06f, 0.94f})
        if (SurfacePatterns::inEllipse(s, t, nostril, 0.9f, 0.03f, 0.03f))
            return {0.08f, 0.1f, 0.06f, 1.0f};
    return bodyPattern(s, t);
}

Rgba wingPattern(float s, float t)
{
    // Veins fan out from the shoulder, at the region's top right.
    const float angle = std::atan2(t, 1.0f - s);
    const float vein = std::fabs(std::sin(angle * 9.0f));
    const Rgba skin = SurfacePatterns::mottled({0.55f, 0.16f, 0.14f, 1.0f}, s, t, 0.3f);
    return vein < 0.08f ? skin.scaled(0.55f) : skin;
}
}  // namespace

MeshBuilder DragonModel::buildMesh()
{
    MeshBuilder mesh;
    mesh.useMaterial(materialName);
    addBodyAndTail(mesh);
    addNeckAndHead(mesh);
    addLegs(mesh);
    addWings(mesh);
    return mesh;
}

Canvas DragonModel::paintTexture()
{
    Canvas texture(textureSize, textureSize);
    bodyRegion.paint(texture, bodyPattern);
    headRegion.paint(texture, headPattern);
    wingRegion.paint(texture, wingPattern);
    hornRegion.paint(texture, SurfacePatterns::horn);
    limbRegion.paint(texture, [](float s, float t)
                     { return SurfacePatterns::scales(scaleGreen.scaled(0.75f), s, t, 4, 6); });
    spikeRegion.paint(texture,
                      [](float s, float t) {
                          return SurfacePatterns::mottled({0.62f, 0.22f, 0.10f, 1.0f}, s, t, 0.3f);
                      });
    return texture;
}
