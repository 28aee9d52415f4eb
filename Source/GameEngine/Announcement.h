#pragma once

#include <irrlicht.h>

// One message of the announcer. Its row is fixed when it is queued; it rises as it ages.
struct Announcement
{
    irr::core::stringw text;
    float age = 0.0f;
    float top = 0.0f;
    irr::video::SColor color;
};
