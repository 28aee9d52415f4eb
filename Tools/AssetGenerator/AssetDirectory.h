#pragma once

#include "Canvas.h"
#include "SoundBuffer.h"

#include <filesystem>
#include <irrlicht.h>
#include <string>

// The folder the assets go to. Every file is written whole under a temporary name and renamed into
// place; each failure is reported once on the console and returned as false.
class AssetDirectory
{
public:
    explicit AssetDirectory(std::filesystem::path root);
    ~AssetDirectory();
    AssetDirectory(const AssetDirectory&) = delete;
    AssetDirectory& operator=(const AssetDirectory&) = delete;

    const std::filesystem::path& root() const { return rootPath; }

    bool writeText(const std::string& relativePath, const std::string& text);
    // A PNG through the engine's own image writer, with its alpha channel.
    bool writeImage(const std::string& relativePath, const Canvas& canvas);
    // 16-bit PCM WAV.
    bool writeSound(const std::string& relativePath, const SoundBuffer& sound);

private:
    std::filesystem::path prepare(const std::string& relativePath);

    std::filesystem::path rootPath;
    // A window-less engine, only for its image writer.
    irr::IrrlichtDevice* device = nullptr;
};
