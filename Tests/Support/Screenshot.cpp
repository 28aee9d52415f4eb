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

irr::video::SColor Screenshot::pixel(irr::u32 x, irr::u32 y) const
{
    return image->getPixel(x, y);
}
