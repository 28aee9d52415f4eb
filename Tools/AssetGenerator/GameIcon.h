#pragma once

#include "Canvas.h"

#include <string>
#include <vector>

// The game's icon for desktop menus: a white quill across a red field inside a gold ring, the ring
// of a camp's territory. Drawn from shapes, so every size is sharp; transparent outside the ring.
class GameIcon
{
public:
    // The square sizes, in pixels, that desktops look for in the hicolor theme.
    static const std::vector<int>& sizes();
    // Where the icon of `size` goes, relative to the assets folder.
    static std::string fileName(int size);
    static Canvas paint(int size);
};
