#include "FrameCapture.h"

#include <GL/gl.h>
#include <vector>

irr::video::IImage* FrameCapture::readBackBuffer(irr::video::IVideoDriver* driver)
{
    if (driver->getDriverType() != irr::video::EDT_OPENGL)
        return nullptr;
    const irr::core::dimension2du size = driver->getScreenSize();
    std::vector<unsigned char> rgba(static_cast<std::size_t>(size.Width) * size.Height * 4);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, static_cast<GLsizei>(size.Width), static_cast<GLsizei>(size.Height), GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba.data());
    irr::video::IImage* image = driver->createImage(irr::video::ECF_R8G8B8, size);
    for (irr::u32 y = 0; y < size.Height; ++y)
    {
        // OpenGL's rows run bottom to top.
        const unsigned char* row =
            rgba.data() + static_cast<std::size_t>(size.Height - 1 - y) * size.Width * 4;
        for (irr::u32 x = 0; x < size.Width; ++x)
            image->setPixel(x, y, irr::video::SColor(255, row[x * 4], row[x * 4 + 1], row[x * 4 + 2]));
    }
    return image;
}
