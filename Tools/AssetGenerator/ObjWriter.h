#pragma once

#include "MeshBuilder.h"

#include <string>
#include <vector>

struct ObjMaterial
{
    std::string name;
    // The texture file, relative to the material library's folder; empty for none.
    std::string texture;
};

// Writes meshes as Wavefront OBJ text in the form the engine's loader reads back into exactly the
// builder's triangles: the loader negates X and reverses each face's corners, so the writer does
// both first.
class ObjWriter
{
public:
    // `materialLibrary` is the .mtl file's name beside the OBJ, or empty for none.
    static std::string objText(const MeshBuilder& mesh, const std::string& materialLibrary);
    static std::string mtlText(const std::vector<ObjMaterial>& materials);
};
