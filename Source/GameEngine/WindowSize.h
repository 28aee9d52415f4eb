#pragma once

#include <irrlicht.h>

// The size of the game's window, chosen from the desktop's before the window opens.
class WindowSize
{
public:
    static constexpr irr::u32 preferredWidth = 1920;
    static constexpr irr::u32 preferredHeight = 1080;
    // Of a desktop smaller than the preferred window, the share of its height the window may take: the rest
    // is left to the desktop's panels and the window's title bar.
    static constexpr irr::u32 usableHeightPercent = 90;

    // The desktop's resolution, from the video mode list of a null device of the engine library (which opens
    // no window); where that list is empty (an X server without the video mode extension), the X server's
    // screen size. 0 by 0 when there is no display to ask.
    static irr::core::dimension2du desktop();
    // 1920 by 1080 where the desktop has room for it; on a smaller desktop the largest 16:9 window within
    // its width and 90 % of its height. The preferred size when the desktop is unknown.
    static irr::core::dimension2du fitting(const irr::core::dimension2du& desktop);

private:
    static irr::core::dimension2du screenOfTheXServer();
};
