#include "GameEngine/AssetShelf.h"

#include "GameEngine/Console.h"

AssetShelf::AssetShelf(irr::IrrlichtDevice* device) : device(device)
{
}

irr::scene::IAnimatedMesh* AssetShelf::mesh(const char* path, const std::string& failure)
{
    if (!available(path, failure, true))
        return nullptr;
    irr::scene::IAnimatedMesh* mesh = device->getSceneManager()->getMesh(path);
    if (!mesh)
        markMissing(path, failure, true);
    return mesh;
}

irr::video::ITexture* AssetShelf::texture(const char* path)
{
    const std::string failure = std::string("Texture could not be loaded: ") + path;
    if (!available(path, failure, false))
        return nullptr;
    irr::video::ITexture* texture = device->getVideoDriver()->getTexture(path);
    if (!texture)
        markMissing(path, failure, false);
    return texture;
}

bool AssetShelf::available(const char* path, const std::string& failure, bool error)
{
    if (!device || missing.count(path) > 0)
        return false;
    // Asked for a file that is not there, the engine would write a line of its own on every request.
    if (device->getFileSystem()->existFile(path))
        return true;
    markMissing(path, failure, error);
    return false;
}

void AssetShelf::markMissing(const char* path, const std::string& failure, bool error)
{
    missing.insert(path);
    if (error)
        Console::error(failure);
    else
        Console::warning(failure);
}
