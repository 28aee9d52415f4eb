#pragma once

#include <irrlicht.h>
#include <string>

// What a drawn frame looks like, read back from the driver after the frame ended.
class Screenshot
{
public:
    // Takes the last drawn frame; also writes it to Output/<name>.png to be looked at.
    Screenshot(irr::IrrlichtDevice* device, const std::string& name);
    ~Screenshot();
    Screenshot(const Screenshot&) = delete;
    Screenshot& operator=(const Screenshot&) = delete;

    bool valid() const { return image != nullptr; }
    irr::video::SColor pixel(irr::u32 x, irr::u32 y) const;

private:
    irr::video::IImage* image = nullptr;
};
