#pragma once

#include "External/AINavigationMesh.h"

#include <irrlicht.h>
#include <memory>
#include <string>

namespace irr::AI
{
// The navigation world of one match: the walkable floor that every AIUnit finds its paths on.
class AIWorld
{
public:
    AIWorld();
    virtual ~AIWorld();
    AIWorld(const AIWorld&) = delete;
    AIWorld& operator=(const AIWorld&) = delete;

    // Forgets any floor of an earlier match.
    virtual bool init();
    // Loads the walkable floor from an OBJ file through Irrlicht, so it sits where the game sees it.
    // On failure the world keeps the floor it had (none at first) and the failure is on the console.
    bool setNavigationMesh(const char* fileName, scene::ISceneManager* sceneManager,
                           video::IVideoDriver* driver);
    // The same, from a mesh already loaded; `name` is what the console calls it.
    bool setNavigationMesh(const scene::IMesh* mesh, const std::string& name);
    // Null until a floor was set successfully.
    AINavigationMesh* getNavigationMesh() const;

    video::IVideoDriver* driver = nullptr;

private:
    std::unique_ptr<AINavigationMesh> navigationMesh;
};
}  // namespace irr::AI
