#pragma once

#include <AL/alc.h>
#include <memory>

// An open OpenAL output device with the one context every sound of an engine plays in.
class OpenALDevice
{
public:
    // The named device, or the default one when the name is null. Null, after one warning, when no
    // device or context can be had.
    static std::unique_ptr<OpenALDevice> open(const char* deviceName);

    OpenALDevice(ALCdevice* device, ALCcontext* context);
    ~OpenALDevice();
    OpenALDevice(const OpenALDevice&) = delete;
    OpenALDevice& operator=(const OpenALDevice&) = delete;

    // OpenAL calls go to the current context, which is process-wide: another engine may have taken it.
    // False when OpenAL refuses the context.
    bool makeCurrent();

private:
    ALCdevice* device;
    ALCcontext* context;
};
