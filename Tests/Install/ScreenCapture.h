#pragma once

#include <irrlicht.h>
#include <string>

// What the X display (Xvfb under the tests) shows right now, as the X server holds it: windows of
// other processes included, which a frame read back from our own OpenGL context cannot show.
class ScreenCapture
{
public:
    // An image of the whole screen made with `driver`, or null without a display. The caller drops it.
    static irr::video::IImage* grab(irr::video::IVideoDriver* driver);
};
