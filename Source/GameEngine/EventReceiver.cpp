#include "GameEngine/EventReceiver.h"

#include <algorithm>
#include <iterator>

EventReceiver::EventReceiver()
{
    std::fill(std::begin(keyIsDown), std::end(keyIsDown), false);
}

bool EventReceiver::OnEvent(const irr::SEvent& event)
{
    if (event.EventType == irr::EET_KEY_INPUT_EVENT && event.KeyInput.Key < irr::KEY_KEY_CODES_COUNT)
        keyIsDown[event.KeyInput.Key] = event.KeyInput.PressedDown;
    return false;
}

bool EventReceiver::isKeyDown(irr::EKEY_CODE key) const
{
    return key < irr::KEY_KEY_CODES_COUNT && keyIsDown[key];
}
