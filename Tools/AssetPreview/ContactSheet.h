#pragma once

#include <irrlicht.h>
#include <string>
#include <vector>

// One picture of every generated model, with its texture and the material the game gives it,
// and a sample line of every font, drawn in a single OpenGL frame and read back from the
// frame's back buffer (the driver's own screenshot reads the front buffer, black under Xvfb).
class ContactSheet
{
public:
    // A rectangle of the sheet and what was drawn into it.
    struct Cell
    {
        std::string caption;
        irr::core::recti area;
    };

    // `device` must run the OpenGL driver; `assets` is the folder holding Models/ and Fonts/.
    ContactSheet(irr::IrrlichtDevice* device, std::string assets);

    // Draws the sheet; the image belongs to the caller (drop it), null if nothing could be drawn.
    irr::video::IImage* render();
    const std::vector<Cell>& cells() const { return drawnCells; }

private:
    struct View
    {
        std::string caption;
        std::vector<irr::scene::ISceneNode*> nodes;
        irr::core::vector3df direction;
    };

    irr::scene::IMeshSceneNode* addModel(const std::string& model, const irr::core::vector3df& position,
                                         float scale);
    void buildViews();
    void drawView(const View& view, const irr::core::recti& area);
    void drawFontSamples(const irr::core::recti& area);

    irr::IrrlichtDevice* device;
    std::string assets;
    std::vector<View> views;
    std::vector<Cell> drawnCells;
    irr::scene::ICameraSceneNode* camera = nullptr;
};
