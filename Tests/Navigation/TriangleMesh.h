#pragma once

#include "FloorMeshes.h"

// An Irrlicht mesh of one buffer holding the triangles, made in memory; dropped with this object.
class TriangleMesh
{
public:
    explicit TriangleMesh(const Triangles& triangles);
    ~TriangleMesh();
    TriangleMesh(const TriangleMesh&) = delete;
    TriangleMesh& operator=(const TriangleMesh&) = delete;

    irr::scene::IMesh* get() const { return mesh; }

private:
    irr::scene::SMesh* mesh;
};
