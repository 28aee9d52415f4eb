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
    ~AssetEngine() { engine->drop(); }
    AssetEngine(const AssetEngine&) = delete;
    AssetEngine& operator=(const AssetEngine&) = delete;

    irr::IrrlichtDevice* device() const { return engine; }
    irr::scene::ISceneManager* scene() const { return engine->getSceneManager(); }
    irr::scene::IAnimatedMesh* mesh(const std::string& path) const { return scene()->getMesh(path.c_str()); }

    // Every triangle of every buffer, in the engine's coordinates and winding.
    static std::vector<irr::core::triangle3df> triangles(irr::scene::IMesh* mesh);
    // Texture coordinates stay inside the texture, so no face samples past its edge.
    static void expectTextureCoordinatesInside(irr::scene::IMesh* mesh);

private:
    irr::IrrlichtDevice* engine;
};
