#pragma once

#include "UvRect.h"

#include <array>
#include <irrlicht.h>
#include <string>
#include <vector>

struct MeshCorner
{
    irr::core::vector3df position;
    irr::core::vector2df uv;
};

// One face as the engine will hold it: seen from the side its normal points to.
struct MeshTriangle
{
    std::array<MeshCorner, 3> corners;
    irr::core::vector3df normal;
};

// The texture regions of a box's faces, named by the way each face looks.
struct BoxFaces
{
    UvRect towardMinusX;
    UvRect towardPlusX;
    UvRect towardMinusZ;
    UvRect towardPlusZ;
    UvRect top;
    // Boxes that float (a head, a shoulder pad) need their lower face too.
    bool withBottom = false;
    UvRect bottom;
};

struct MeshMaterialGroup
{
    std::string material;
    std::vector<MeshTriangle> triangles;
};

// Collects textured triangles in the engine's own coordinates and winding, grouped by material.
// Shapes are turned to face outward by construction, so no caller has to reason about winding.
class MeshBuilder
{
public:
    // As a tile size: the face shows its whole region once, however large it is.
    static constexpr float stretched = 0.0f;

    // Faces added from now on belong to `material`; groups keep the order of first use.
    void useMaterial(const std::string& material);
    // Every position (and normal) added from now on goes through `transform` first.
    void setTransform(const irr::core::matrix4& transform);
    void resetTransform() { setTransform(irr::core::matrix4()); }

    // A face seen from where (b - a) x (c - a) points, with that as its normal.
    void addTriangle(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c);
    // The same with a given normal, for faces that must share vertices whatever their slope.
    void addTriangle(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c,
                     const irr::core::vector3df& normal);
    // A triangle seen from the side `outward` points to.
    void addFacingTriangle(MeshCorner a, MeshCorner b, MeshCorner c, const irr::core::vector3df& outward);
    // A thin sheet (a wing, a flag): the same triangle seen from both sides.
    void addTwoSidedTriangle(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c);
    // A planar quad with corners in order around it, seen from the side `outward` points to.
    void addQuad(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c, const MeshCorner& d,
                 const irr::core::vector3df& outward);
    // The rectangle from `origin` along `across` and `down` (whole edge vectors), cut into tiles of
    // at most `tileSize` that each show the whole `region`, so large faces keep the texture's scale
    // (a last, partial tile shows the matching part of the region).
    void addTiledRect(const irr::core::vector3df& origin, const irr::core::vector3df& across,
                      const irr::core::vector3df& down, float tileSize, const UvRect& region,
                      const irr::core::vector3df& outward);
    // A box standing on its lower face (which is left out: it rests on something).
    void addBox(const irr::core::aabbox3df& box, const UvRect& sides, const UvRect& top, float tileSize);
    // A box with a region for each face.
    void addBox(const irr::core::aabbox3df& box, const BoxFaces& faces, float tileSize);
    // A tube through closed rings of equal size, capped at the ends that ask for it; the texture
    // wraps around it once and runs along it once.
    void addLoft(const std::vector<std::vector<irr::core::vector3df>>& rings, const UvRect& region,
                 bool capStart, bool capEnd);

    const std::vector<MeshMaterialGroup>& groups() const { return materialGroups; }
    std::size_t triangleCount() const;
    irr::core::aabbox3df bounds() const;

private:
    MeshCorner placed(const MeshCorner& corner) const;
    void store(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c,
               const irr::core::vector3df& normal);
    std::vector<MeshTriangle>& currentTriangles();

    std::vector<MeshMaterialGroup> materialGroups;
    std::size_t current = 0;
    irr::core::matrix4 transform;
    bool mirrored = false;
};
