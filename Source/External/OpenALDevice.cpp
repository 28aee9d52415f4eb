#include "External/OpenALDevice.h"

#include "GameEngine/Console.h"

namespace
{
void reportSilence(const std::string& reason)
{
    Console::warning(reason + "; the game plays without sound");
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
        reportSilence(std::string("Cannot create a sound context on \"") +
                      alcGetString(device, ALC_DEVICE_SPECIFIER) + "\"");
        alcCloseDevice(device);
        return nullptr;
    }
    auto opened = std::make_unique<OpenALDevice>(device, context);
    opened->makeCurrent();
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

void OpenALDevice::makeCurrent()
{
    if (alcGetCurrentContext() != context)
        alcMakeContextCurrent(context);
}
