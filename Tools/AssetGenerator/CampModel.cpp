#include "CampModel.h"

#include "ModelShapes.h"
#include "SurfacePatterns.h"
#include "TextureRegion.h"

#include <cmath>

using irr::core::vector3df;

namespace
{
constexpr int bodySize = 256;
const TextureRegion canvasRegion{0, 0, 128, 128, bodySize, bodySize};
const TextureRegion poleRegion{128, 0, 256, 128, bodySize, bodySize};
const TextureRegion plankRegion{0, 128, 128, 256, bodySize, bodySize};
const TextureRegion ropeRegion{128, 128, 256, 256, bodySize, bodySize};
constexpr int flagWidth = 128;
constexpr int flagHeight = 64;

constexpr float platformTop = CampModel::baseHeight + 1.5f;
constexpr float poleX = 18.0f;
constexpr float flagTop = 44.0f;
constexpr float flagBottom = 30.0f;
constexpr float flagLength = 20.0f;
constexpr int flagColumns = 5;
constexpr float pi = 3.14159265f;

void addBody(MeshBuilder& mesh)
{
    mesh.useMaterial(CampModel::bodyMaterial);
    ModelShapes::addTube(mesh, {{0, CampModel::baseHeight, 0}, {0, platformTop, 0}}, {{22, 22}, {22, 22}}, 8,
                         plankRegion.uv());
    // The tent's first seam faces +x, where its door is painted.
    ModelShapes::addTube(mesh, {{0, platformTop, 0}, {0, 4, 0}, {0, 22, 0}},
                         {{16, 16}, {10, 10}, {0.5f, 0.5f}}, 8, canvasRegion.uv());
    for (float dx : {-1.0f, 1.0f})
        ModelShapes::addTube(mesh, {{0, 17, 0}, {3 * dx, 28, 2 * dx}}, {{0.6f, 0.6f}, {0.5f, 0.5f}}, 5,
                             poleRegion.uv());
    ModelShapes::addTube(mesh, {{poleX, platformTop, 0}, {poleX, 48, 0}}, {{0.8f, 0.8f}, {0.8f, 0.8f}}, 6,
                         poleRegion.uv());
    ModelShapes::addTube(mesh, {{poleX, 48, 0}, {poleX, 49.5f, 0}, {poleX, 51, 0}},
                         {{0.6f, 0.6f}, {1.5f, 1.5f}, {0.3f, 0.3f}}, 6, ropeRegion.uv());
}

void addFlag(MeshBuilder& mesh)
{
    mesh.useMaterial(CampModel::flagMaterial);
    // A banner with a gentle wave, seen from both sides.
    auto point = [](int column, float height)
    {
        const float along = static_cast<float>(column) / flagColumns;
        const float wave = 1.5f * std::sin(along * pi * 1.5f);
        return MeshCorner{{poleX + 0.8f + along * flagLength, height, wave},
                          {along, (flagTop - height) / (flagTop - flagBottom)}};
    };
    for (int column = 0; column < flagColumns; ++column)
    {
        const MeshCorner topLeft = point(column, flagTop);
        const MeshCorner topRight = point(column + 1, flagTop);
        const MeshCorner bottomRight = point(column + 1, flagBottom);
        const MeshCorner bottomLeft = point(column, flagBottom);
        mesh.addTwoSidedTriangle(topLeft, topRight, bottomRight);
        mesh.addTwoSidedTriangle(topLeft, bottomRight, bottomLeft);
    }
}

Rgba tentCanvas(float s, float t)
{
    // Seams run up the tent; the door sits at the first seam (the region's side edges), at the bottom.
    const float fromDoor = std::min(s, 1.0f - s);
    if (t < 0.45f && fromDoor < 0.07f * (1.0f - t / 0.45f) + 0.02f)
        return {0.16f, 0.1f, 0.06f, 1.0f};
    const float seam = std::fabs(std::fmod(s * 8.0f, 1.0f) - 0.5f);
    const Rgba cloth = SurfacePatterns::mottled({0.82f, 0.74f, 0.56f, 1.0f}, s, t, 0.25f);
    return seam > 0.46f ? cloth.scaled(0.7f) : cloth;
}

Rgba banner(float s, float t)
{
    // A swallowtail cut at the fly end: transparent there.
    const float notch = (s - 0.78f) * 2.2f;
    if (notch > 0.0f && std::fabs(t - 0.5f) < notch)
        return {0.0f, 0.0f, 0.0f, 0.0f};
    const float border = std::min(std::min(s, t), 1.0f - t);
    if (border < 0.08f)
        return {0.85f, 0.66f, 0.2f, 1.0f};
    // A white quill across the field.
    const float along = (s - 0.18f) / 0.5f;
    const float quillLine = 0.72f - along * 0.45f;
    if (along > 0.0f && along < 1.0f && std::fabs(t - quillLine) < 0.16f * std::sin(along * pi) + 0.015f)
        return std::fabs(t - quillLine) < 0.02f ? Rgba{0.7f, 0.7f, 0.7f, 1.0f}
                                                : Rgba{0.96f, 0.95f, 0.9f, 1.0f};
    return SurfacePatterns::mottled({0.62f, 0.1f, 0.12f, 1.0f}, s, t, 0.2f);
}
}  // namespace

MeshBuilder CampModel::buildMesh()
{
    MeshBuilder mesh;
    addBody(mesh);
    addFlag(mesh);
    return mesh;
}

Canvas CampModel::paintBodyTexture()
{
    Canvas texture(bodySize, bodySize);
    canvasRegion.paint(texture, tentCanvas);
    poleRegion.paint(texture,
                     [](float s, float t) {
                         return SurfacePatterns::wood({0.45f, 0.3f, 0.16f, 1.0f}, t, s, 1);
                     });
    plankRegion.paint(texture,
                      [](float s, float t) {
                          return SurfacePatterns::wood({0.5f, 0.36f, 0.2f, 1.0f}, s, t, 6);
                      });
    ropeRegion.paint(texture, SurfacePatterns::iron);
    return texture;
}

Canvas CampModel::paintFlagTexture()
{
    Canvas texture(flagWidth, flagHeight);
    texture.paint(0, 0, flagWidth, flagHeight, banner);
    return texture;
}
