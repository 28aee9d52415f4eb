#pragma once

#include <irrlicht.h>
#include <memory>
#include <vector>

// Small floors in game coordinates (y up), built from rectangles that meet edge to edge.
using Triangles = std::vector<irr::core::triangle3df>;

// Two triangles covering x0..x1 by z0..z1 at height 0.
Triangles floorRectangle(float x0, float z0, float x1, float z1);
Triangles joined(std::initializer_list<Triangles> parts);
// A corridor 4 wide: one arm along x (x 0..20, z 0..4), the other along z (x 16..20, z 0..20). Its inner
// corner is at (16, 4).
Triangles lCorridor();
// A 20 by 20 floor (x and z -10..10) with a 4 by 4 hole in the middle (an obstacle).
Triangles floorWithHole();
// A disc of radius 10 around (0, 0) cut into 64 triangles that all meet at its centre.
Triangles fan();

// The triangles as an Irrlicht mesh of one buffer with 32-bit indices, as a large mesh needs (the
// navigation reads both kinds); dropped with the pointer.
using MeshPointer = std::unique_ptr<irr::scene::IMesh, void (*)(irr::scene::IMesh*)>;
MeshPointer meshOf(const Triangles& triangles);
