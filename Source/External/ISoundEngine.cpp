#include "External/ISoundEngine.h"

#include "External/OpenALDevice.h"
#include "External/OpenALSoundEngine.h"
#include "External/SilentSoundEngine.h"

ISoundEngine* createIrrKlangDevice(E_SOUND_OUTPUT_DRIVER, int, const char* deviceName, const char*)
{
    if (std::unique_ptr<OpenALDevice> device = OpenALDevice::open(deviceName))
        return new OpenALSoundEngine(std::move(device));
    return new SilentSoundEngine();
}
