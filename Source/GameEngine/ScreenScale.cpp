#include "GameEngine/ScreenScale.h"

#include <cctype>
#include <cmath>

float ScreenScale::forHeight(irr::u32 screenHeight)
{
    if (screenHeight >= doubleFrom)
        return 2.0f;
    if (screenHeight >= oneAndAHalfFrom)
        return 1.5f;
    return 1.0f;
}

irr::s32 ScreenScale::scaled(irr::s32 pixels, irr::u32 screenHeight)
{
    return static_cast<irr::s32>(std::lround(static_cast<float>(pixels) * forHeight(screenHeight)));
}

std::string ScreenScale::fontPath(const std::string& path, irr::u32 screenHeight)
{
    const std::string extension(fontExtension);
    if (forHeight(screenHeight) == 1.0f || path.size() <= extension.size() ||
        path.compare(path.size() - extension.size(), extension.size(), extension) != 0)
        return path;
    const std::size_t sizeEnd = path.size() - extension.size();
    std::size_t sizeStart = sizeEnd;
    while (sizeStart > 0 && std::isdigit(static_cast<unsigned char>(path[sizeStart - 1])))
        --sizeStart;
    if (sizeStart == sizeEnd || sizeEnd - sizeStart > 3)
        return path;
    const int size = std::stoi(path.substr(sizeStart, sizeEnd - sizeStart));
    return path.substr(0, sizeStart) + std::to_string(scaled(size, screenHeight)) + extension;
}
