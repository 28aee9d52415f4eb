#include "Support/Screenshot.h"

#include <GL/gl.h>
#include <filesystem>
#include <vector>

namespace
{
// Reads the frame from the back buffer: Mesa keeps it after the swap, while reading the front
// buffer of a window on Xvfb (what the driver's own screenshot does) gives black.
irr::video::IImage* readBackBuffer(irr::video::IVideoDriver* driver)
{
    if (driver->getDriverType() != irr::video::EDT_OPENGL)
        return driver->createScreenShot();
    const irr::core::dimension2du size = driver->getScreenSize();
    std::vector<unsigned char> rgba(static_cast<std::size_t>(size.Width) * size.Height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, static_cast<GLsizei>(size.Width), static_cast<GLsizei>(size.Height), GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba.data());
    irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, size);
    for (irr::u32 y = 0; y < size.Height; ++y)
    {
        // OpenGL's rows run bottom to top.
        const unsigned char* row =
            rgba.data() + static_cast<std::size_t>(size.Height - 1 - y) * size.Width * 4;
        for (irr::u32 x = 0; x < size.Width; ++x)
        {
            const unsigned char* texel = row + static_cast<std::size_t>(x) * 4;
            image->setPixel(x, y, irr::video::SColor(255, texel[0], texel[1], texel[2]));
        }
    }
    return image;
}
}  // namespace

Screenshot::Screenshot(irr::IrrlichtDevice* device, const std::string& name)
{
    irr::video::IVideoDriver* driver = device->getVideoDriver();
    image = readBackBuffer(driver);
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
    return countPixels(
        [&](irr::video::SColor seen)
        {
            return seen.getRed() != color.getRed() || seen.getGreen() != color.getGreen() ||
                   seen.getBlue() != color.getBlue();
        });
}
