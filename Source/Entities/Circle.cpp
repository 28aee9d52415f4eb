#include "Entities/Circle.h"

#include "Scenes/BaseGameScene.h"

#include <cmath>

Circle::Circle() : buffer(new irr::scene::SMeshBuffer())
{
}

Circle::~Circle()
{
    if (buffer)
        buffer->drop();
}

bool Circle::create(const irr::core::vector3df& center, const irr::video::SColorf& color, float radius)
{
    this->center = center;
    this->radius = radius;
    if (!buffer)
        return false;
    buffer->Vertices.clear();
    buffer->Indices.clear();
    const irr::video::SColor vertexColor = withRingAlpha(color.toSColor());
    const irr::core::vector3df up(0, 1, 0);
    buffer->Vertices.push_back(irr::video::S3DVertex(center, up, vertexColor, {0.5f, 0.5f}));
    buffer->Indices.push_back(0);

    irr::video::SMaterial& material = buffer->Material;
    material.Lighting = false;
    material.MaterialType = irr::video::EMT_ONETEXTURE_BLEND;
    material.MaterialTypeParam = irr::video::pack_textureBlendFunc(
        irr::video::EBF_SRC_ALPHA, irr::video::EBF_ONE_MINUS_SRC_ALPHA, irr::video::EMFN_MODULATE_1X,
        irr::video::EAS_VERTEX_COLOR | irr::video::EAS_TEXTURE);
    for (irr::u32 vertex = 1; vertex < vertexCount; ++vertex)
    {
        const float angle = rimAngle(vertex);
        const irr::core::vector2df texture((std::sin(angle) + 1.0f) * 0.5f, (std::cos(angle) + 1.0f) * 0.5f);
        buffer->Vertices.push_back(irr::video::S3DVertex(rimPosition(angle), up, vertexColor, texture));
    }
    // The fan runs from the centre around the rim, last vertex first.
    for (irr::u32 vertex = vertexCount - 1; vertex >= 1; --vertex)
        buffer->Indices.push_back(static_cast<irr::u16>(vertex));
    return true;
}

void Circle::rebuild()
{
    if (!buffer)
        return;
    for (irr::u32 vertex = 1; vertex < buffer->Vertices.size(); ++vertex)
        buffer->Vertices[vertex].Pos = rimPosition(rimAngle(vertex));
}

void Circle::setColor(irr::video::SColor color)
{
    if (!buffer)
        return;
    const irr::video::SColor vertexColor = withRingAlpha(color);
    for (irr::u32 vertex = 0; vertex < buffer->Vertices.size(); ++vertex)
        buffer->Vertices[vertex].Color = vertexColor;
}

void Circle::draw(BaseGameScene* scene)
{
    if (!buffer || buffer->getIndexCount() < 3)
        return;
    irr::video::IVideoDriver* driver = scene->driver;
    driver->setTransform(irr::video::ETS_WORLD, irr::core::IdentityMatrix);
    driver->setMaterial(buffer->Material);
    driver->drawVertexPrimitiveList(buffer->getVertices(), buffer->getVertexCount(), buffer->getIndices(),
                                    buffer->getIndexCount() - 2, irr::video::EVT_STANDARD,
                                    irr::scene::EPT_TRIANGLE_FAN, irr::video::EIT_16BIT);
}

irr::video::SColor Circle::withRingAlpha(irr::video::SColor color)
{
    return irr::video::SColor((color.color & 0x00FFFFFFu) | (alpha << 24));
}

float Circle::rimAngle(irr::u32 vertex)
{
    const irr::u32 step = vertexCount - 1 - vertex;
    return static_cast<float>(step) * 6.2831855f * (1.0f / static_cast<float>(rimSegments));
}

irr::core::vector3df Circle::rimPosition(float angle) const
{
    return {center.X + radius * std::sin(angle), center.Y, center.Z + radius * std::cos(angle)};
}
