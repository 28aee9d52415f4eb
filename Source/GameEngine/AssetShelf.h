#pragma once

#include <irrlicht.h>
#include <set>
#include <string>

// The models and textures of one match. The engine library tries a missing file again, and logs it
// again, every time it is asked; the shelf asks for a file only until it has failed once, so that a file
// missing is reported in one line, however many entities load it.
class AssetShelf
{
public:
    explicit AssetShelf(irr::IrrlichtDevice* device = nullptr);

    // The model at `path`, or null; the first time it cannot be loaded, `failure` is an error line.
    irr::scene::IAnimatedMesh* mesh(const char* path, const std::string& failure);
    // The texture at `path`, or null (the model is drawn without it), said once in a warning.
    irr::video::ITexture* texture(const char* path);

private:
    // What `load` makes of `path`, unless the file is known to be missing or found so now: then null,
    // with `failure` written (as an error or a warning) the first time.
    template <class Load>
    auto once(const char* path, const std::string& failure, bool error, Load load) -> decltype(load())
    {
        if (available(path, failure, error))
        {
            if (auto* asset = load())
                return asset;
            markMissing(path, failure, error);
        }
        return nullptr;
    }
    bool available(const char* path, const std::string& failure, bool error);
    void markMissing(const char* path, const std::string& failure, bool error);

    irr::IrrlichtDevice* device;
    std::set<std::string> missing;
};
