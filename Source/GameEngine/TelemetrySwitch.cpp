#include "GameEngine/TelemetrySwitch.h"

#include "GameEngine/Console.h"

#include <cstring>

bool TelemetrySwitch::read(int argc, const char* const argv[])
{
    if (argc < 2)
        return false;
    if (std::strcmp(argv[1], switchText) == 0)
    {
        Console::line("Websockets Activate");
        return true;
    }
    Console::line("No Websockets");
    return false;
}
