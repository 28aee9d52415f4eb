#include "GameEngine/CloseRequest.h"
#include "GameEngine/GameEngine.h"
#include "GameEngine/TelemetrySwitch.h"
#include "Scenes/StartScene.h"

#include <memory>

int main(int argc, char* argv[])
{
    CloseRequest::catchSignals();
    GameEngine engine;
    engine.setFirstScene(std::make_unique<StartScene>());
    const bool telemetry = TelemetrySwitch::read(argc, argv);
    if (!engine.init(telemetry))
        return 1;
    engine.run(telemetry);
    return 0;
}
