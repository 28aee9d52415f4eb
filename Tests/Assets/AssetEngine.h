#pragma once

#include <gtest/gtest.h>
#include <irrlicht.h>
#include <string>
#include <vector>

// The engine on its null driver, loading the generated assets the way the game does (paths
// relative to the tests' working directory, so "../Assets/" resolves).
class AssetEngine
{
public:
    AssetEngine()
    {
        irr::SIrrlichtCreationParameters parameters;
        parameters.DriverType = irr::video::EDT_NULL;
        parameters.LoggingLevel = irr::ELL_ERROR;
        engine = irr::createDeviceEx(parameters);
    }
    ~AssetEngine() { engine->drop(); }
    AssetEngine(const AssetEngine&) = delete;
    AssetEngine& operator=(const AssetEngine&) = delete;

    irr::IrrlichtDevice* device() const { return engine; }
    irr::scene::ISceneManager* scene() const { return engine->getSceneManager(); }
    irr::scene::IAnimatedMesh* mesh(const std::string& path) const { return scene()->getMesh(path.c_str()); }

    // Every triangle of every buffer, in the engine's coordinates and winding.
    static std::vector<irr::core::triangle3df> triangles(irr::scene::IMesh* mesh)
    {
        std::vector<irr::core::triangle3df> result;
        for (irr::u32 b = 0; b < mesh->getMeshBufferCount(); ++b)
        {
            irr::scene::IMeshBuffer* buffer = mesh->getMeshBuffer(b);
            const irr::u16* indices = buffer->getIndices();
            for (irr::u32 i = 0; i + 2 < buffer->getIndexCount(); i += 3)
                result.emplace_back(buffer->getPosition(indices[i]), buffer->getPosition(indices[i + 1]),
                                    buffer->getPosition(indices[i + 2]));
        }
        return result;
    }
    // Texture coordinates stay inside the texture, so no face samples past its edge.
    static void expectTextureCoordinatesInside(irr::scene::IMesh* mesh)
    {
        for (irr::u32 b = 0; b < mesh->getMeshBufferCount(); ++b)
            for (irr::u32 v = 0; v < mesh->getMeshBuffer(b)->getVertexCount(); ++v)
            {
                const irr::core::vector2df uv = mesh->getMeshBuffer(b)->getTCoords(v);
                ASSERT_TRUE(uv.X >= 0.0f && uv.X <= 1.0f && uv.Y >= 0.0f && uv.Y <= 1.0f)
                    << uv.X << ", " << uv.Y;
            }
    }

private:
    irr::IrrlichtDevice* engine;
};
