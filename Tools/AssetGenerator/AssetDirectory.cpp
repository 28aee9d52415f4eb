#include "AssetDirectory.h"

#include "GameEngine/AtomicFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sndfile.h>
#include <system_error>
#include <vector>

namespace
{
irr::u8 toByte(float channel)
{
    return static_cast<irr::u8>(std::lround(std::clamp(channel, 0.0f, 1.0f) * 255.0f));
}

short toSample(float value)
{
    return static_cast<short>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}
}  // namespace

AssetDirectory::AssetDirectory(std::filesystem::path root) : rootPath(std::move(root))
{
    irr::SIrrlichtCreationParameters parameters;
    parameters.DriverType = irr::video::EDT_NULL;
    parameters.LoggingLevel = irr::ELL_ERROR;
    device = irr::createDeviceEx(parameters);
}

AssetDirectory::~AssetDirectory()
{
    if (device)
        device->drop();
}

std::filesystem::path AssetDirectory::prepare(const std::string& relativePath)
{
    const std::filesystem::path path = rootPath / relativePath;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error)
        std::printf("ERROR: Could not create the folder %s: %s\n", path.parent_path().string().c_str(),
                    error.message().c_str());
    return path;
}

bool AssetDirectory::writeText(const std::string& relativePath, const std::string& text)
{
    AtomicFile file(prepare(relativePath));
    {
        std::ofstream out(file.temporaryPath(), std::ios::binary);
        out << text;
        if (!out.flush())
        {
            std::printf("ERROR: Could not write %s\n", relativePath.c_str());
            return false;
        }
    }
    return file.commit();
}

bool AssetDirectory::writeImage(const std::string& relativePath, const Canvas& canvas)
{
    if (!device)
    {
        std::printf("ERROR: Could not start the image writer for %s\n", relativePath.c_str());
        return false;
    }
    irr::video::IVideoDriver* driver = device->getVideoDriver();
    irr::video::IImage* image = driver->createImage(
        irr::video::ECF_A8R8G8B8, irr::core::dimension2du(static_cast<irr::u32>(canvas.width()),
                                                          static_cast<irr::u32>(canvas.height())));
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
        {
            const Rgba& pixel = canvas.at(x, y);
            image->setPixel(
                static_cast<irr::u32>(x), static_cast<irr::u32>(y),
                irr::video::SColor(toByte(pixel.a), toByte(pixel.r), toByte(pixel.g), toByte(pixel.b)));
        }
    AtomicFile file(prepare(relativePath));
    const bool written = driver->writeImageToFile(image, file.temporaryPath().string().c_str());
    image->drop();
    if (!written)
    {
        std::printf("ERROR: Could not write %s\n", relativePath.c_str());
        return false;
    }
    return file.commit();
}

bool AssetDirectory::writeSound(const std::string& relativePath, const SoundBuffer& sound)
{
    AtomicFile file(prepare(relativePath));
    SF_INFO info{};
    info.samplerate = SoundBuffer::sampleRate;
    info.channels = sound.channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* out = sf_open(file.temporaryPath().string().c_str(), SFM_WRITE, &info);
    if (!out)
    {
        std::printf("ERROR: Could not write %s: %s\n", relativePath.c_str(), sf_strerror(nullptr));
        return false;
    }
    std::vector<short> samples(sound.samples.size());
    std::transform(sound.samples.begin(), sound.samples.end(), samples.begin(), toSample);
    const sf_count_t written = sf_write_short(out, samples.data(), static_cast<sf_count_t>(samples.size()));
    const bool closed = sf_close(out) == 0;
    if (written != static_cast<sf_count_t>(samples.size()) || !closed)
    {
        std::printf("ERROR: Could not write %s\n", relativePath.c_str());
        return false;
    }
    return file.commit();
}
