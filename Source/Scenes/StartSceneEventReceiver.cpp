#include "Scenes/StartSceneEventReceiver.h"

#include "GameEngine/GameEngine.h"
#include "Scenes/GameScene.h"
#include "Scenes/SettingsPanel.h"
#include "Scenes/StartScene.h"

StartSceneEventReceiver::StartSceneEventReceiver(StartScene* scene) : scene(scene)
{
}

bool StartSceneEventReceiver::OnEvent(const irr::SEvent& event)
{
    if (scene->settingsPanel && scene->settingsPanel->onEvent(event))
        return true;
    if (event.EventType != irr::EET_GUI_EVENT)
        return false;
    const irr::s32 id = event.GUIEvent.Caller ? event.GUIEvent.Caller->getID() : -1;
    if (event.GUIEvent.EventType != irr::gui::EGET_BUTTON_CLICKED)
        return false;
    switch (id)
    {
    case StartScene::startButtonId:
        startGame();
        return true;
    case StartScene::addPlayerButtonId:
        addPlayer();
        return true;
    case StartScene::removePlayerButtonId:
        removePlayer();
        return true;
    case StartScene::settingsButtonId:
        scene->openSettings();
        return true;
    case StartScene::quitButtonId:
        scene->quit();
        return true;
    default:
        return false;
    }
}

void StartSceneEventReceiver::startGame()
{
    // The change replaces the menu: nothing of it may be touched once it has begun.
    GameEngine* engine = scene->engine;
    auto match = std::make_unique<GameScene>();
    match->aiPlayerCount = static_cast<irr::u32>(scene->aiPlayerCount);
    // A match that cannot be set up (its level is missing) would leave the player in a half-built
    // arena; a fresh menu is what the player can act on.
    if (!engine->changeScene(std::move(match)))
        engine->changeScene(std::make_unique<StartScene>());
}

void StartSceneEventReceiver::addPlayer()
{
    if (static_cast<unsigned>(scene->aiPlayerCount + 1) <= scene->maxAiPlayers)
        ++scene->aiPlayerCount;
}

void StartSceneEventReceiver::removePlayer()
{
    if (scene->aiPlayerCount != 1)
        --scene->aiPlayerCount;
}
