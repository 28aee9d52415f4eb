#include "External/SoundBufferCache.h"

#include "External/SoundFile.h"
#include "GameEngine/Console.h"

namespace
{
ALuint reportUnplayable(const std::string& path, const std::string& reason)
{
    Console::warning("Cannot play the sound \"" + path + "\": " + reason);
    return 0;
}
}  // namespace

SoundBufferCache::~SoundBufferCache()
{
    for (const auto& [path, buffer] : buffers)
    {
        if (buffer != 0)
            alDeleteBuffers(1, &buffer);
    }
}

ALuint SoundBufferCache::find(std::string_view path)
{
    const auto known = buffers.find(path);
    if (known != buffers.end())
        return known->second;
    std::string name(path);
    const ALuint buffer = load(name);
    buffers.emplace(std::move(name), buffer);
    return buffer;
}

ALuint SoundBufferCache::load(const std::string& path)
{
    SoundFile file;
    std::string failure;
    if (!file.read(path, failure))
        return reportUnplayable(path, failure);
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    const ALenum format = file.getChannels() == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    const auto bytes = static_cast<ALsizei>(file.getSamples().size() * sizeof(file.getSamples()[0]));
    alBufferData(buffer, format, file.getSamples().data(), bytes, file.getSampleRate());
    if (alGetError() != AL_NO_ERROR)
    {
        alDeleteBuffers(1, &buffer);
        return reportUnplayable(path, "the audio device refused its samples");
    }
    return buffer;
}
