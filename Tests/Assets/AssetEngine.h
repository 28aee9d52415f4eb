#pragma once

#include <irrlicht.h>
#include <string>
#include <vector>

// The engine on its null driver, loading the generated assets the way the game does (paths
// relative to the tests' working directory, so "../Assets/" resolves).
class AssetEngine
{
public:
    AssetEngine();
    ~AssetEngine();
    AssetEngine(const AssetEngine&) = delete;
    AssetEngine& operator=(const AssetEngine&) = delete;

    irr::IrrlichtDevice* device() const { return engine; }
    irr::scene::ISceneManager* scene() const { return engine->getSceneManager(); }
    irr::scene::IAnimatedMesh* mesh(const std::string& path) const;

    // Every triangle of every buffer, in the engine's coordinates and winding.
    static std::vector<irr::core::triangle3df> triangles(irr::scene::IMesh* mesh);
    // The vertices of one buffer, in the order the engine holds them.
    static std::vector<irr::core::vector3df> positions(irr::scene::IMeshBuffer* buffer);
    // Texture coordinates stay inside the texture, so no face samples past its edge.
    static void expectTextureCoordinatesInside(irr::scene::IMesh* mesh);

private:
    irr::IrrlichtDevice* engine;
};
