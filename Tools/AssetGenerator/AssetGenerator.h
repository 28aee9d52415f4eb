#pragma once

#include "AssetDirectory.h"

#include <filesystem>
#include <string>
#include <vector>

class MeshBuilder;
struct ObjMaterial;

// Writes every asset the game reads, under one root folder (the repository's Assets/), in the
// order that a file is complete before any file that refers to it: textures before the material
// libraries that name them, material libraries before their meshes, font pages before their XML.
class AssetGenerator
{
public:
    explicit AssetGenerator(const std::filesystem::path& root);

    // Writes everything; false if any file could not be written (each failure is reported once).
    bool generateAll();

    bool generateArena();
    bool generateUnit();
    bool generateCamp();
    bool generatePlayers();
    bool generateFonts();
    bool generateSounds();
    // The desktop icon, at every size a menu may ask for.
    bool generateIcons();

private:
    // An OBJ, with its material library beside it when `materials` is not empty.
    bool writeModel(const std::string& objPath, const MeshBuilder& mesh,
                    const std::vector<ObjMaterial>& materials);
    // A bitmap font `name` of `face` at `size` pixels: its page and its XML.
    bool writeFont(const char* face, const std::string& name, int size, int pageWidth);

    AssetDirectory directory;
};
