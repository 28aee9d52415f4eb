#include "GameEngine/CloseRequest.h"
#include "GameEngine/GameEngine.h"
#include "GameEngine/GameOptions.h"
#include "GameEngine/SettingsFile.h"
#include "GameEngine/WindowSize.h"
#include "Scenes/StartScene.h"

#include <memory>

int main(int argc, char* argv[])
{
    int exitStatus = 0;
    const std::optional<GameOptions> options = GameOptions::read(argc, argv, exitStatus);
    if (!options)
        return exitStatus;
    CloseRequest::catchSignals();
    SettingsFile settingsFile(SettingsFile::defaultPath());
    GameEngine::Settings settings;
    settings.player = settingsFile.read();
    settings.settingsFile = &settingsFile;
    // The command line's choices hold for this run, over the file's.
    settings.maxFps = options->maxFps.value_or(settings.player.maxFps);
    options->chooseWindow(settings, WindowSize::desktop);
    GameEngine engine(settings);
    engine.setFirstScene(std::make_unique<StartScene>());
    if (!engine.init(options->telemetry))
        return 1;
    engine.run(options->telemetry);
    return 0;
}
