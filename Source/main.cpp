#include "GameEngine/CloseRequest.h"
#include "GameEngine/GameEngine.h"
#include "GameEngine/GameOptions.h"
#include "Scenes/StartScene.h"

#include <memory>

int main(int argc, char* argv[])
{
    int exitStatus = 0;
    const std::optional<GameOptions> options = GameOptions::read(argc, argv, exitStatus);
    if (!options)
        return exitStatus;
    CloseRequest::catchSignals();
    GameEngine::Settings settings;
    settings.maxFps = options->maxFps;
    GameEngine engine(settings);
    engine.setFirstScene(std::make_unique<StartScene>());
    if (!engine.init(options->telemetry))
        return 1;
    engine.run(options->telemetry);
    return 0;
}
