#include "TriangleMesh.h"

TriangleMesh::TriangleMesh(const Triangles& triangles) : mesh(new irr::scene::SMesh())
{
    // 32-bit indices, as a large mesh needs: the navigation reads both kinds.
    auto* buffer = new irr::scene::CDynamicMeshBuffer(irr::video::EVT_STANDARD, irr::video::EIT_32BIT);
    for (const irr::core::triangle3df& triangle : triangles)
    {
        for (const irr::core::vector3df& corner : {triangle.pointA, triangle.pointB, triangle.pointC})
        {
            buffer->getIndexBuffer().push_back(buffer->getVertexBuffer().size());
            buffer->getVertexBuffer().push_back(irr::video::S3DVertex(
                corner, irr::core::vector3df(0, 1, 0), irr::video::SColor(0xFFFFFFFF), {0, 0}));
        }
    }
    buffer->recalculateBoundingBox();
    mesh->addMeshBuffer(buffer);
    buffer->drop();
    mesh->recalculateBoundingBox();
}

TriangleMesh::~TriangleMesh()
{
    mesh->drop();
}
