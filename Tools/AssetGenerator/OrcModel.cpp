#include "OrcModel.h"

#include "ModelShapes.h"
#include "SurfacePatterns.h"
#include "TextureRegion.h"

#include <cmath>

using irr::core::aabbox3df;
using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
constexpr int textureSize = 256;
const TextureRegion skinRegion{0, 0, 128, 128, textureSize, textureSize};
const TextureRegion faceRegion{128, 0, 192, 64, textureSize, textureSize};
const TextureRegion jawRegion{192, 0, 256, 64, textureSize, textureSize};
const TextureRegion leatherRegion{128, 64, 256, 128, textureSize, textureSize};
const TextureRegion ironRegion{0, 128, 128, 256, textureSize, textureSize};
const TextureRegion woodRegion{128, 128, 192, 192, textureSize, textureSize};
const TextureRegion tuskRegion{192, 128, 256, 192, textureSize, textureSize};
const TextureRegion bootRegion{128, 192, 256, 256, textureSize, textureSize};

const Rgba orcGreen{0.36f, 0.52f, 0.22f, 1.0f};

BoxFaces facesOf(const UvRect& all)
{
    return BoxFaces{all, all, all, all, all, true, all};
}

void addSkin(MeshBuilder& mesh)
{
    mesh.useMaterial(OrcModel::skinMaterial);
    const UvRect skin = skinRegion.uv();
    // A barrel of a torso, widest at the chest.
    ModelShapes::addTube(mesh, {{0, -17, 0}, {0.5f, -12, 0}, {1, -7, 0}, {0.5f, -4, 0}},
                         {{7, 5}, {8.5f, 5.5f}, {9.5f, 6}, {7.5f, 5}}, 10, skinRegion.uv());
    // A heavy head with its face forward and an underbite.
    BoxFaces head = facesOf(skin);
    head.towardPlusX = faceRegion.uv();
    mesh.addBox(aabbox3df(-3.5f, -4.0f, -3.5f, 4.0f, 4.0f, 3.5f), head, MeshBuilder::stretched);
    BoxFaces jaw = facesOf(skin);
    jaw.towardPlusX = jawRegion.uv();
    mesh.addBox(aabbox3df(0.5f, -5.0f, -3.8f, 5.0f, -1.5f, 3.8f), jaw, MeshBuilder::stretched);
    for (float side : {-1.0f, 1.0f})
    {
        mesh.addTwoSidedTriangle({{-0.5f, 1.5f, 3.4f * side}, skin.at(0, 0)},
                                 {{-2.5f, 3.5f, 7.5f * side}, skin.at(1, 0)},
                                 {{-2.5f, -0.5f, 3.4f * side}, skin.at(0, 1)});
        // Long arms that hang forward, with big fists.
        const float z = 10.5f * side;
        ModelShapes::addTube(mesh, {{0.5f, -6, z}, {2, -13, z * 1.1f}, {4, -19, z * 1.05f}},
                             {{2.6f, 2.6f}, {2.3f, 2.3f}, {2, 2}}, 7, skinRegion.uv());
        mesh.addBox(aabbox3df(2.0f, -22.5f, z * 1.05f - 2.0f, 6.0f, -18.5f, z * 1.05f + 2.0f), facesOf(skin),
                    MeshBuilder::stretched);
    }
}

void addGear(MeshBuilder& mesh)
{
    mesh.useMaterial(OrcModel::gearMaterial);
    const UvRect iron = ironRegion.uv();
    ModelShapes::addTube(mesh, {{0, -18, 0}, {0, -15.5f, 0}}, {{7.6f, 5.6f}, {7.9f, 5.8f}}, 10,
                         leatherRegion.uv());
    for (float side : {-1.0f, 1.0f})
    {
        const float z = 4.2f * side;
        ModelShapes::addTube(mesh, {{0, -16.5f, z}, {0.5f, -23, z * 1.07f}, {0, -27, z * 1.07f}},
                             {{3.6f, 3.6f}, {3, 3}, {2.6f, 2.6f}}, 7, leatherRegion.uv());
        mesh.addBox(aabbox3df(-3.0f, OrcModel::feetHeight, z * 1.07f - 3.0f, 4.5f, -26.5f, z * 1.07f + 3.0f),
                    facesOf(bootRegion.uv()), MeshBuilder::stretched);
        mesh.addBox(aabbox3df(-3.5f, -6.5f, side > 0 ? 7.0f : -13.5f, 4.0f, -2.5f, side > 0 ? 13.5f : -7.0f),
                    facesOf(iron), MeshBuilder::stretched);
        ModelShapes::addTube(mesh, {{4.3f, -2.5f, 2.4f * side}, {5.6f, 0.5f, 2.9f * side}},
                             {{0.7f, 0.7f}, {0.1f, 0.1f}}, 5, tuskRegion.uv());
    }
    // An axe in the right fist, its blade up and forward.
    const float hand = -11.0f;
    ModelShapes::addTube(mesh, {{4, -27, hand}, {4, -9, hand}}, {{0.8f, 0.8f}, {0.8f, 0.8f}}, 6,
                         woodRegion.uv());
    mesh.addBox(aabbox3df(4.6f, -14.0f, hand - 0.4f, 9.5f, -8.5f, hand + 0.4f), facesOf(iron),
                MeshBuilder::stretched);
}

Rgba facePattern(float s, float t)
{
    // Seen from the front: a heavy brow, small red eyes under it, a broad nose.
    if (t > 0.28f && t < 0.36f && std::fabs(s - 0.5f) < 0.4f)
        return SurfacePatterns::mottled(orcGreen.scaled(0.55f), s, t, 0.2f);
    for (float eye : {0.3f, 0.7f})
        if (SurfacePatterns::inEllipse(s, t, eye, 0.45f, 0.08f, 0.06f))
            return SurfacePatterns::inEllipse(s, t, eye, 0.45f, 0.03f, 0.04f)
                       ? Rgba{0.1f, 0.0f, 0.0f, 1.0f}
                       : Rgba{0.95f, 0.25f, 0.1f, 1.0f};
    if (SurfacePatterns::inEllipse(s, t, 0.5f, 0.68f, 0.12f, 0.1f))
        return SurfacePatterns::mottled(orcGreen.scaled(0.8f), s, t, 0.2f);
    return SurfacePatterns::mottled(orcGreen, s, t, 0.35f);
}

Rgba jawPattern(float s, float t)
{
    // Lower teeth along the top edge, a dark mouth line above them.
    if (t < 0.12f)
        return {0.15f, 0.05f, 0.05f, 1.0f};
    if (t < 0.35f && std::fmod(s * 7.0f, 1.0f) < 0.8f)
        return {0.9f, 0.86f, 0.7f, 1.0f};
    return SurfacePatterns::mottled(orcGreen, s, t, 0.35f);
}
}  // namespace

MeshBuilder OrcModel::buildMesh()
{
    MeshBuilder mesh;
    addSkin(mesh);
    addGear(mesh);
    return mesh;
}

Canvas OrcModel::paintTexture()
{
    Canvas texture(textureSize, textureSize);
    skinRegion.paint(texture,
                     [](float s, float t) { return SurfacePatterns::mottled(orcGreen, s, t, 0.4f); });
    faceRegion.paint(texture, facePattern);
    jawRegion.paint(texture, jawPattern);
    leatherRegion.paint(texture,
                        [](float s, float t) {
                            return SurfacePatterns::leather({0.42f, 0.28f, 0.16f, 1.0f}, s, t);
                        });
    ironRegion.paint(texture, SurfacePatterns::iron);
    woodRegion.paint(texture,
                     [](float s, float t) {
                         return SurfacePatterns::wood({0.5f, 0.34f, 0.18f, 1.0f}, t, s, 1);
                     });
    tuskRegion.paint(texture, SurfacePatterns::horn);
    bootRegion.paint(texture,
                     [](float s, float t) {
                         return SurfacePatterns::leather({0.2f, 0.14f, 0.1f, 1.0f}, s, t);
                     });
    return texture;
}
