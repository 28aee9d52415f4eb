#pragma once

#include <irrlicht.h>

// Remembers which keys are held, so the player's control can poll them every frame.
class EventReceiver : public irr::IEventReceiver
{
public:
    EventReceiver();
    ~EventReceiver() override = default;

    // Records key presses and releases; returns false so every event still reaches the GUI and scene.
    bool OnEvent(const irr::SEvent& event) override;
    bool isKeyDown(irr::EKEY_CODE key) const;

private:
    bool keyIsDown[irr::KEY_KEY_CODES_COUNT];
};
