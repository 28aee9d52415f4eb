#pragma once

#include <irrlicht.h>

class BaseGameScene;

// A flat coloured disc on the ground, drawn straight through the video driver as one triangle fan: a
// camp's outer ring or its core.
class Circle
{
public:
    // Vertex 0 is the centre; the rim vertices 1 and 33 meet where the fan closes.
    static constexpr irr::u32 rimSegments = 32;
    static constexpr irr::u32 vertexCount = rimSegments + 2;
    // Rings are see-through: every vertex colour has this alpha.
    static constexpr irr::u32 alpha = 0x64;

    Circle();
    virtual ~Circle();
    Circle(const Circle&) = delete;
    Circle& operator=(const Circle&) = delete;

    // Builds the disc; false only without a buffer.
    bool create(const irr::core::vector3df& center, const irr::video::SColorf& color, float radius);
    // Moves the rim to the current radius.
    void rebuild();
    void setColor(irr::video::SColor color);
    void draw(BaseGameScene* scene);

    float radius = 0.0f;
    irr::core::vector3df center;
    irr::scene::SMeshBuffer* buffer = nullptr;

private:
    static irr::video::SColor withRingAlpha(irr::video::SColor color);
    // The angle of rim vertex k, counted so that the fan winds the same way as the ground.
    static float rimAngle(irr::u32 vertex);
    irr::core::vector3df rimPosition(float angle) const;
};
