#include "External/AIWorld.h"

#include "External/AIWalkableSurface.h"
#include "GameEngine/Console.h"

namespace irr::AI
{
AIWorld::AIWorld() = default;

AIWorld::~AIWorld() = default;

bool AIWorld::init()
{
    navigationMesh.reset();
    return true;
}

bool AIWorld::setNavigationMesh(const char* fileName, scene::ISceneManager* sceneManager,
                                video::IVideoDriver* videoDriver)
{
    if (!fileName || !sceneManager)
    {
        Console::error("Navigation mesh needs a file name and a scene manager");
        return false;
    }
    if (videoDriver)
        driver = videoDriver;
    const scene::IAnimatedMesh* mesh = sceneManager->getMesh(fileName);
    if (!mesh)
    {
        Console::error(std::string("Navigation mesh could not be loaded: ") + fileName);
        return false;
    }
    return setNavigationMesh(mesh, fileName);
}

bool AIWorld::setNavigationMesh(const scene::IMesh* mesh, const std::string& name)
{
    const AIWalkableSurface surface = AIWalkableSurface::fromMesh(mesh);
    if (surface.isEmpty())
    {
        Console::error("Navigation mesh has no walkable triangles: " + name);
        return false;
    }
    // Worth saying only when a floor remains; without one, the error above covers it.
    if (surface.getDegenerateTriangleCount() > 0)
        Console::warning("Navigation mesh " + name + " has " +
                         std::to_string(surface.getDegenerateTriangleCount()) +
                         " degenerate triangles; they are left out");
    std::string failure;
    std::unique_ptr<AINavigationMesh> built = AINavigationMesh::build(surface.getTriangles(), failure);
    if (!built)
    {
        Console::error("Navigation mesh " + name + " could not be built: " + failure);
        return false;
    }
    navigationMesh = std::move(built);
    return true;
}

AINavigationMesh* AIWorld::getNavigationMesh() const
{
    return navigationMesh.get();
}
}  // namespace irr::AI
