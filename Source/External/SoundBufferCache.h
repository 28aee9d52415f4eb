#pragma once

#include <AL/al.h>
#include <map>
#include <string>
#include <string_view>

// Every sound file an engine has been asked for, decoded once into an OpenAL buffer. A file that cannot
// be played is remembered too, so it is neither read nor reported again.
class SoundBufferCache
{
public:
    SoundBufferCache() = default;
    // Needs the engine's context current; the buffers must no longer be attached to any source.
    ~SoundBufferCache();
    SoundBufferCache(const SoundBufferCache&) = delete;
    SoundBufferCache& operator=(const SoundBufferCache&) = delete;

    // The file's buffer, decoded on first use; 0 (OpenAL's no-buffer) when it cannot be played.
    ALuint find(std::string_view path);

private:
    static ALuint load(const std::string& path);

    // Ordered map with transparent comparison, so a lookup by a play call's file name allocates nothing.
    std::map<std::string, ALuint, std::less<>> buffers;
};
