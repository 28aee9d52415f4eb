#include "MeshBuilder.h"

#include <algorithm>
#include <cmath>

using irr::core::vector2df;
using irr::core::vector3df;

namespace
{
vector3df faceNormal(const vector3df& a, const vector3df& b, const vector3df& c)
{
    return (b - a).crossProduct(c - a).normalize();
}

vector3df centreOf(const std::vector<vector3df>& ring)
{
    vector3df sum;
    for (const vector3df& point : ring)
        sum += point;
    return sum / static_cast<float>(ring.size());
}
}  // namespace

void MeshBuilder::useMaterial(const std::string& material)
{
    const auto found =
        std::find_if(materialGroups.begin(), materialGroups.end(),
                     [&](const MeshMaterialGroup& group) { return group.material == material; });
    if (found == materialGroups.end())
    {
        materialGroups.push_back({material, {}});
        current = materialGroups.size() - 1;
        return;
    }
    current = static_cast<std::size_t>(found - materialGroups.begin());
}

void MeshBuilder::setTransform(const irr::core::matrix4& newTransform)
{
    transform = newTransform;
    // A mirroring transform turns every face inside out; the corners are swapped back on the way in.
    const vector3df x(transform[0], transform[1], transform[2]);
    const vector3df y(transform[4], transform[5], transform[6]);
    const vector3df z(transform[8], transform[9], transform[10]);
    mirrored = x.crossProduct(y).dotProduct(z) < 0.0f;
}

std::vector<MeshTriangle>& MeshBuilder::currentTriangles()
{
    if (materialGroups.empty())
        useMaterial("default");
    return materialGroups[current].triangles;
}

MeshCorner MeshBuilder::placed(const MeshCorner& corner) const
{
    MeshCorner result = corner;
    transform.transformVect(result.position);
    return result;
}

void MeshBuilder::store(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c,
                        const vector3df& normal)
{
    currentTriangles().push_back({{a, b, c}, normal});
}

void MeshBuilder::addTriangle(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c)
{
    const MeshCorner pa = placed(a);
    const MeshCorner pb = placed(mirrored ? c : b);
    const MeshCorner pc = placed(mirrored ? b : c);
    store(pa, pb, pc, faceNormal(pa.position, pb.position, pc.position));
}

void MeshBuilder::addTriangle(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c,
                              const vector3df& normal)
{
    vector3df placedNormal = normal;
    transform.rotateVect(placedNormal);
    store(placed(a), placed(mirrored ? c : b), placed(mirrored ? b : c), placedNormal.normalize());
}

void MeshBuilder::addFacingTriangle(MeshCorner a, MeshCorner b, MeshCorner c, const vector3df& outward)
{
    if (faceNormal(a.position, b.position, c.position).dotProduct(outward) < 0.0f)
        std::swap(b, c);
    addTriangle(a, b, c);
}

void MeshBuilder::addTwoSidedTriangle(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c)
{
    addTriangle(a, b, c);
    addTriangle(a, c, b);
}

void MeshBuilder::addQuad(const MeshCorner& a, const MeshCorner& b, const MeshCorner& c, const MeshCorner& d,
                          const vector3df& outward)
{
    addFacingTriangle(a, b, c, outward);
    addFacingTriangle(a, c, d, outward);
}

void MeshBuilder::addTiledRect(const vector3df& origin, const vector3df& across, const vector3df& down,
                               float tileSize, const UvRect& region, const vector3df& outward)
{
    const float width = across.getLength();
    const float height = down.getLength();
    if (tileSize <= stretched)
    {
        addQuad({origin, region.at(0, 0)}, {origin + across, region.at(1, 0)},
                {origin + across + down, region.at(1, 1)}, {origin + down, region.at(0, 1)}, outward);
        return;
    }
    const int columns = std::max(1, static_cast<int>(std::ceil(width / tileSize - 1e-4f)));
    const int rows = std::max(1, static_cast<int>(std::ceil(height / tileSize - 1e-4f)));
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
        {
            const float s0 = column * tileSize;
            const float t0 = row * tileSize;
            const float s1 = std::min(width, s0 + tileSize);
            const float t1 = std::min(height, t0 + tileSize);
            const UvRect tile = region.part(0.0f, 0.0f, (s1 - s0) / tileSize, (t1 - t0) / tileSize);
            auto corner = [&](float s, float t, float u, float v) {
                return MeshCorner{origin + across * (s / width) + down * (t / height), {u, v}};
            };
            addQuad(corner(s0, t0, tile.u0, tile.v0), corner(s1, t0, tile.u1, tile.v0),
                    corner(s1, t1, tile.u1, tile.v1), corner(s0, t1, tile.u0, tile.v1), outward);
        }
}

void MeshBuilder::addBox(const irr::core::aabbox3df& box, const UvRect& sides, const UvRect& top,
                         float tileSize)
{
    addBox(box, BoxFaces{sides, sides, sides, sides, top, false, UvRect{}}, tileSize);
}

void MeshBuilder::addBox(const irr::core::aabbox3df& box, const BoxFaces& faces, float tileSize)
{
    const vector3df& lo = box.MinEdge;
    const vector3df& hi = box.MaxEdge;
    const vector3df size = hi - lo;
    const vector3df down(0.0f, -size.Y, 0.0f);
    // Each side runs from its top edge down and left to right as seen from outside, so the
    // texture stands upright and unmirrored.
    addTiledRect({lo.X, hi.Y, lo.Z}, {size.X, 0, 0}, down, tileSize, faces.towardMinusZ, {0, 0, -1});
    addTiledRect({hi.X, hi.Y, hi.Z}, {-size.X, 0, 0}, down, tileSize, faces.towardPlusZ, {0, 0, 1});
    addTiledRect({lo.X, hi.Y, hi.Z}, {0, 0, -size.Z}, down, tileSize, faces.towardMinusX, {-1, 0, 0});
    addTiledRect({hi.X, hi.Y, lo.Z}, {0, 0, size.Z}, down, tileSize, faces.towardPlusX, {1, 0, 0});
    addTiledRect({lo.X, hi.Y, lo.Z}, {size.X, 0, 0}, {0, 0, size.Z}, tileSize, faces.top, {0, 1, 0});
    if (faces.withBottom)
        addTiledRect({lo.X, lo.Y, lo.Z}, {size.X, 0, 0}, {0, 0, size.Z}, tileSize, faces.bottom, {0, -1, 0});
}

void MeshBuilder::addLoft(const std::vector<std::vector<vector3df>>& rings, const UvRect& region,
                          bool capStart, bool capEnd)
{
    if (rings.size() < 2)
        return;
    const std::size_t sides = rings.front().size();
    const float along = 1.0f / static_cast<float>(rings.size() - 1);
    for (std::size_t r = 0; r + 1 < rings.size(); ++r)
    {
        const vector3df axis = (centreOf(rings[r]) + centreOf(rings[r + 1])) * 0.5f;
        for (std::size_t k = 0; k < sides; ++k)
        {
            const std::size_t next = (k + 1) % sides;
            const float s0 = static_cast<float>(k) / sides;
            const float s1 = static_cast<float>(k + 1) / sides;
            const MeshCorner a{rings[r][k], region.at(s0, r * along)};
            const MeshCorner b{rings[r][next], region.at(s1, r * along)};
            const MeshCorner c{rings[r + 1][next], region.at(s1, (r + 1) * along)};
            const MeshCorner d{rings[r + 1][k], region.at(s0, (r + 1) * along)};
            const vector3df outward = (a.position + b.position + c.position + d.position) * 0.25f - axis;
            addQuad(a, b, c, d, outward);
        }
    }
    auto cap = [&](const std::vector<vector3df>& ring, const vector3df& outward)
    {
        const MeshCorner centre{centreOf(ring), region.at(0.5f, 0.5f)};
        for (std::size_t k = 0; k < sides; ++k)
            addFacingTriangle(centre, {ring[k], region.at(0.5f, 0.0f)},
                              {ring[(k + 1) % sides], region.at(0.5f, 1.0f)}, outward);
    };
    if (capStart)
        cap(rings.front(), centreOf(rings.front()) - centreOf(rings[1]));
    if (capEnd)
        cap(rings.back(), centreOf(rings.back()) - centreOf(rings[rings.size() - 2]));
}

std::size_t MeshBuilder::triangleCount() const
{
    std::size_t count = 0;
    for (const MeshMaterialGroup& group : materialGroups)
        count += group.triangles.size();
    return count;
}

irr::core::aabbox3df MeshBuilder::bounds() const
{
    bool first = true;
    irr::core::aabbox3df box;
    for (const MeshMaterialGroup& group : materialGroups)
        for (const MeshTriangle& triangle : group.triangles)
            for (const MeshCorner& corner : triangle.corners)
            {
                if (first)
                    box.reset(corner.position);
                else
                    box.addInternalPoint(corner.position);
                first = false;
            }
    return box;
}
