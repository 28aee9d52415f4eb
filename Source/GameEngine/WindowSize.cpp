#include "GameEngine/WindowSize.h"

#include <algorithm>
// After the engine library's headers: Xlib's macros would clash with their names.
#include <X11/Xlib.h>

irr::core::dimension2du WindowSize::desktop()
{
    irr::SIrrlichtCreationParameters parameters;
    parameters.DriverType = irr::video::EDT_NULL;
    // The probe is no engine the player should read about.
    parameters.LoggingLevel = irr::ELL_NONE;
    irr::core::dimension2du size;
    if (irr::IrrlichtDevice* probe = irr::createDeviceEx(parameters))
    {
        size = probe->getVideoModeList()->getDesktopResolution();
        probe->drop();
    }
    if (size.Width == 0 || size.Height == 0)
        size = screenOfTheXServer();
    return size;
}

irr::core::dimension2du WindowSize::screenOfTheXServer()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return {};
    const int screen = DefaultScreen(display);
    const irr::core::dimension2du size(static_cast<irr::u32>(DisplayWidth(display, screen)),
                                       static_cast<irr::u32>(DisplayHeight(display, screen)));
    XCloseDisplay(display);
    return size;
}

irr::core::dimension2du WindowSize::fitting(const irr::core::dimension2du& desktop)
{
    const bool unknown = desktop.Width == 0 || desktop.Height == 0;
    if (unknown || (desktop.Width >= preferredWidth && desktop.Height >= preferredHeight))
        return {preferredWidth, preferredHeight};
    // Whole steps of 16 by 9 keep the shape exact.
    const irr::u32 usableHeight = desktop.Height * usableHeightPercent / 100;
    const irr::u32 steps = std::max(1u, std::min(desktop.Width / 16, usableHeight / 9));
    return {steps * 16, steps * 9};
}
