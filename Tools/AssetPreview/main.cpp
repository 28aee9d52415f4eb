// Renders every generated model and font into one PNG contact sheet, to look the assets over:
//   xvfb-run -a -s "-screen 0 1920x1080x24" QuillmarchAssetPreview [assets folder] [output.png]
#include "ContactSheet.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    const std::string assets = argc > 1 ? argv[1] : "../Assets";
    const std::string output = argc > 2 ? argv[2] : "asset_contact_sheet.png";
    irr::SIrrlichtCreationParameters parameters;
    parameters.DriverType = irr::video::EDT_OPENGL;
    parameters.WindowSize = irr::core::dimension2du(1920, 1080);
    parameters.Bits = 32;
    parameters.LoggingLevel = irr::ELL_ERROR;
    irr::IrrlichtDevice* device = irr::createDeviceEx(parameters);
    if (!device)
    {
        std::printf("ERROR: Could not open an OpenGL window (run under xvfb-run without a display)\n");
        return 1;
    }
    ContactSheet sheet(device, assets);
    irr::video::IImage* image = sheet.render();
    const bool written = image && device->getVideoDriver()->writeImageToFile(image, output.c_str());
    if (image)
        image->drop();
    device->drop();
    if (!written)
    {
        std::printf("ERROR: Could not write the contact sheet to %s\n", output.c_str());
        return 1;
    }
    std::printf("MESSAGE: Contact sheet written to %s\n", output.c_str());
    return 0;
}
