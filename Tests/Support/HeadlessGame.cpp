#include "Support/HeadlessGame.h"

HeadlessGame::HeadlessGame(irr::core::dimension2du windowSize, irr::video::E_DRIVER_TYPE driverType)
    : HeadlessGame(
          [&]
          {
              GameEngine::Settings settings;
              settings.driverType = driverType;
              settings.windowSize = windowSize;
              return settings;
          }())
{
}

HeadlessGame::HeadlessGame(GameEngine::Settings settings)
{
    settings.stoppedTimer = true;
    gameEngine = std::make_unique<GameEngine>(settings);
}

bool HeadlessGame::start(std::unique_ptr<BaseScene> firstScene, bool telemetry)
{
    gameEngine->setFirstScene(std::move(firstScene));
    return gameEngine->init(telemetry);
}

bool HeadlessGame::runFrame(irr::u32 frameLength)
{
    if (!gameEngine->device)
        return false;
    time += frameLength;
    gameEngine->device->getTimer()->setTime(time);
    return gameEngine->runFrame();
}

bool HeadlessGame::runFrames(int count, irr::u32 frameLength)
{
    for (int frame = 0; frame < count; ++frame)
    {
        if (!runFrame(frameLength))
            return false;
    }
    return true;
}

void HeadlessGame::closeWindow()
{
    if (!gameEngine->device)
        return;
    gameEngine->device->closeDevice();
    gameEngine->run(gameEngine->telemetryEnabled);
}

bool HeadlessGame::postEvent(const irr::SEvent& event)
{
    return gameEngine->device->postEventFromUser(event);
}

bool HeadlessGame::postKey(irr::EKEY_CODE key, bool pressedDown)
{
    irr::SEvent event{};
    event.EventType = irr::EET_KEY_INPUT_EVENT;
    event.KeyInput.Key = key;
    event.KeyInput.PressedDown = pressedDown;
    return postEvent(event);
}

void HeadlessGame::clickAt(irr::core::position2di position)
{
    irr::SEvent event{};
    event.EventType = irr::EET_MOUSE_INPUT_EVENT;
    event.MouseInput.X = position.X;
    event.MouseInput.Y = position.Y;
    event.MouseInput.Event = irr::EMIE_LMOUSE_PRESSED_DOWN;
    event.MouseInput.ButtonStates = irr::EMBSM_LEFT;
    postEvent(event);
    event.MouseInput.Event = irr::EMIE_LMOUSE_LEFT_UP;
    event.MouseInput.ButtonStates = 0;
    postEvent(event);
}

bool HeadlessGame::postButtonClicked(irr::gui::IGUIElement* button)
{
    irr::SEvent event{};
    event.EventType = irr::EET_GUI_EVENT;
    event.GUIEvent.Caller = button;
    event.GUIEvent.EventType = irr::gui::EGET_BUTTON_CLICKED;
    return postEvent(event);
}
