#pragma once

#include <irrlicht.h>

class StartScene;

// Turns clicks on the menu's buttons into its actions.
class StartSceneEventReceiver : public irr::IEventReceiver
{
public:
    explicit StartSceneEventReceiver(StartScene* scene);
    ~StartSceneEventReceiver() override = default;

    // True when the event was a click on one of the menu's buttons.
    bool OnEvent(const irr::SEvent& event) override;

private:
    void startGame();
    void addPlayer();
    void removePlayer();

    StartScene* scene;
};
