#include "ScreenCapture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
// The 8 bits of a channel, wherever its mask puts them.
irr::u32 channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    unsigned long shifted = pixel & mask;
    while ((mask & 1UL) == 0)
    {
        mask >>= 1;
        shifted >>= 1;
    }
    return static_cast<irr::u32>(shifted * 255UL / mask);
}

irr::video::IImage* copyImage(XImage* screen, irr::video::IVideoDriver* driver)
{
    const irr::core::dimension2du size(static_cast<irr::u32>(screen->width),
                                       static_cast<irr::u32>(screen->height));
    irr::video::IImage* image = driver->createImage(irr::video::ECF_R8G8B8, size);
    for (irr::u32 y = 0; y < size.Height; ++y)
        for (irr::u32 x = 0; x < size.Width; ++x)
        {
            const unsigned long pixel = XGetPixel(screen, static_cast<int>(x), static_cast<int>(y));
            image->setPixel(x, y,
                            irr::video::SColor(255, channel(pixel, screen->red_mask),
                                               channel(pixel, screen->green_mask),
                                               channel(pixel, screen->blue_mask)));
        }
    return image;
}
}  // namespace

irr::video::IImage* ScreenCapture::grab(irr::video::IVideoDriver* driver)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XImage* screen = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                               static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    irr::video::IImage* image = screen ? copyImage(screen, driver) : nullptr;
    if (screen)
        XDestroyImage(screen);
    XCloseDisplay(display);
    return image;
}
