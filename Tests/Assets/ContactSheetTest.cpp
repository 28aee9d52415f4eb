#include "ContactSheet.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
bool isBackground(irr::video::SColor colour)
{
    return colour.getRed() == 40 && colour.getGreen() == 44 && colour.getBlue() == 52;
}

irr::u32 countIn(irr::video::IImage* image, const irr::core::recti& area, bool (*wanted)(irr::video::SColor))
{
    irr::u32 count = 0;
    for (irr::s32 y = area.UpperLeftCorner.Y; y < area.LowerRightCorner.Y; ++y)
        for (irr::s32 x = area.UpperLeftCorner.X; x < area.LowerRightCorner.X; ++x)
            count += wanted(image->getPixel(static_cast<irr::u32>(x), static_cast<irr::u32>(y))) ? 1 : 0;
    return count;
}

TEST(ContactSheet, DrawsEveryModelAndFontWithOpenGL)
{
    irr::SIrrlichtCreationParameters parameters;
    parameters.DriverType = irr::video::EDT_OPENGL;
    parameters.WindowSize = irr::core::dimension2du(1920, 1080);
    parameters.LoggingLevel = irr::ELL_ERROR;
    irr::IrrlichtDevice* device = irr::createDeviceEx(parameters);
    ASSERT_NE(device, nullptr);
    ContactSheet sheet(device, "../Assets");
    irr::video::IImage* image = sheet.render();
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(sheet.cells().size(), 8u);
    for (const ContactSheet::Cell& cell : sheet.cells())
    {
        // Each model fills a good part of its cell with its textured colours.
        const irr::u32 drawn =
            countIn(image, cell.area, [](irr::video::SColor c) { return !isBackground(c); });
        EXPECT_GT(drawn, static_cast<irr::u32>(cell.area.getArea()) / 20) << cell.caption;
    }
    // The font samples below the cells: white text on the background.
    const irr::s32 bottom = sheet.cells().back().area.LowerRightCorner.Y;
    const irr::u32 text = countIn(image, irr::core::recti(0, bottom + 4, 1920, 1080),
                                  [](irr::video::SColor c)
                                  { return c.getRed() > 200 && c.getGreen() > 200 && c.getBlue() > 200; });
    EXPECT_GT(text, 5000u);
    // Kept for a person to look at; the checks above do not depend on it.
    std::filesystem::create_directories("Output");
    device->getVideoDriver()->writeImageToFile(image, "Output/asset_contact_sheet.png");
    image->drop();
    device->drop();
}
}  // namespace
