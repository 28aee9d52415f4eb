#include "Support/Screenshot.h"

#include "FrameCapture.h"

#include <filesystem>

Screenshot::Screenshot(irr::IrrlichtDevice* device, const std::string& name)
{
    irr::video::IVideoDriver* driver = device->getVideoDriver();
    image = driver->getDriverType() == irr::video::EDT_OPENGL ? FrameCapture::readBackBuffer(driver)
                                                              : driver->createScreenShot();
    if (!image)
        return;
    std::filesystem::create_directories("Output");
    driver->writeImageToFile(image, ("Output/" + name + ".png").c_str());
}

Screenshot::~Screenshot()
{
    if (image)
        image->drop();
}

irr::core::dimension2du Screenshot::size() const
{
    return image ? image->getDimension() : irr::core::dimension2du(0, 0);
}

irr::video::SColor Screenshot::pixel(irr::u32 x, irr::u32 y) const
{
    return image->getPixel(x, y);
}

irr::u32 Screenshot::pixelsOtherThan(irr::video::SColor color) const
{
    irr::u32 count = 0;
    for (irr::u32 y = 0; y < size().Height; ++y)
        for (irr::u32 x = 0; x < size().Width; ++x)
            count += (pixel(x, y).color ^ color.color) & 0x00FFFFFF ? 1 : 0;
    return count;
}
