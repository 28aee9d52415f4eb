#pragma once

#include <irrlicht.h>

// Reads a drawn OpenGL frame back into an image. The back buffer is read: Mesa keeps it after the
// swap, while reading the front buffer of a window on Xvfb (what the driver's own screenshot does)
// gives black.
class FrameCapture
{
public:
    // A new image (the caller drops it) of the last frame, or null for a driver other than OpenGL.
    static irr::video::IImage* readBackBuffer(irr::video::IVideoDriver* driver);
};
