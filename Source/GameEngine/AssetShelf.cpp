#include "GameEngine/AssetShelf.h"

#include "GameEngine/Console.h"

AssetShelf::AssetShelf(irr::IrrlichtDevice* device) : device(device)
{
}

irr::scene::IAnimatedMesh* AssetShelf::mesh(const char* path, const std::string& failure)
{
    return once(path, failure, true, [this, path] { return device->getSceneManager()->getMesh(path); });
}

irr::video::ITexture* AssetShelf::texture(const char* path)
{
    return once(path, std::string("Texture could not be loaded: ") + path, false,
                [this, path] { return device->getVideoDriver()->getTexture(path); });
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
