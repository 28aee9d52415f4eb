#pragma once

#include "FloorMeshes.h"

#include <string>

// A fresh directory for OBJ files, removed with everything in it at the end of the test.
class TemporaryObjDirectory
{
public:
    TemporaryObjDirectory();
    ~TemporaryObjDirectory();
    TemporaryObjDirectory(const TemporaryObjDirectory&) = delete;
    TemporaryObjDirectory& operator=(const TemporaryObjDirectory&) = delete;

    // Writes the triangles as an OBJ file that Irrlicht loads back in game coordinates (its loader
    // negates x, so the file holds x negated). Returns the file's path.
    std::string writeObj(const std::string& name, const Triangles& triangles);
    std::string writeText(const std::string& name, const std::string& text);
    std::string pathOf(const std::string& name) const;

private:
    std::string directory;
};
