#include "TemporaryObjDirectory.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

TemporaryObjDirectory::TemporaryObjDirectory()
{
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    do
        directory = (base / ("quillmarch-nav-" + std::to_string(random()))).string();
    while (!std::filesystem::create_directory(directory));
}

TemporaryObjDirectory::~TemporaryObjDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}

std::string TemporaryObjDirectory::pathOf(const std::string& name) const
{
    return (std::filesystem::path(directory) / name).string();
}

std::string TemporaryObjDirectory::writeText(const std::string& name, const std::string& text)
{
    std::ofstream(pathOf(name)) << text;
    return pathOf(name);
}

std::string TemporaryObjDirectory::writeObj(const std::string& name, const Triangles& triangles)
{
    std::ostringstream text;
    int vertex = 0;
    for (const irr::core::triangle3df& triangle : triangles)
    {
        for (const irr::core::vector3df& corner : {triangle.pointA, triangle.pointB, triangle.pointC})
            text << "v " << -corner.X << ' ' << corner.Y << ' ' << corner.Z << '\n';
        text << "f " << vertex + 1 << ' ' << vertex + 2 << ' ' << vertex + 3 << '\n';
        vertex += 3;
    }
    return writeText(name, text.str());
}
