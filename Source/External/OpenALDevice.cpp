#include "External/OpenALDevice.h"

#include "GameEngine/Console.h"

#include <string>

namespace
{
void reportSilence(const std::string& reason)
{
    Console::warning(reason + "; the game plays without sound");
}

std::string describe(ALCdevice* device)
{
    // OpenAL gives no name for a device it no longer knows.
    const ALCchar* name = alcGetString(device, ALC_DEVICE_SPECIFIER);
    return name ? std::string("\"") + name + "\"" : std::string("the audio device");
}
}  // namespace

std::unique_ptr<OpenALDevice> OpenALDevice::open(const char* deviceName)
{
    ALCdevice* device = alcOpenDevice(deviceName);
    if (!device)
    {
        reportSilence(deviceName ? std::string("Cannot open the audio device \"") + deviceName + "\""
                                 : std::string("Cannot open an audio device"));
        return nullptr;
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (!context)
    {
        reportSilence("Cannot create a sound context on " + describe(device));
        alcCloseDevice(device);
        return nullptr;
    }
    auto opened = std::make_unique<OpenALDevice>(device, context);
    if (!opened->makeCurrent())
    {
        reportSilence("Cannot make the sound context on " + describe(device) + " current");
        return nullptr;
    }
    return opened;
}

OpenALDevice::OpenALDevice(ALCdevice* device, ALCcontext* context) : device(device), context(context)
{
}

OpenALDevice::~OpenALDevice()
{
    if (alcGetCurrentContext() == context)
        alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(device);
}

bool OpenALDevice::makeCurrent()
{
    return alcGetCurrentContext() == context || alcMakeContextCurrent(context) == ALC_TRUE;
}
