#include "ContactSheet.h"

#include "FrameCapture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

using irr::core::vector3df;

namespace
{
constexpr int columns = 4;
constexpr int rows = 2;
constexpr int fontStripHeight = 300;
const irr::video::SColor background(255, 40, 44, 52);
const irr::video::SColor captionColour(255, 255, 255, 255);
const std::vector<int> fontSizes = {14, 18, 22, 36};

void setGameMaterial(irr::scene::ISceneNode* node)
{
    // As the game draws its models: unlit, with the texture from the model's own material file.
    node->setMaterialFlag(irr::video::EMF_LIGHTING, false);
}
}  // namespace

ContactSheet::ContactSheet(irr::IrrlichtDevice* engine, std::string assetFolder)
    : device(engine), assets(std::move(assetFolder))
{
}

irr::scene::IMeshSceneNode* ContactSheet::addModel(const std::string& model, const vector3df& position,
                                                   float scale)
{
    const std::string path = assets + "/Models/" + model;
    irr::scene::IAnimatedMesh* mesh = device->getSceneManager()->getMesh(path.c_str());
    if (!mesh)
    {
        std::printf("WARNING: Could not load %s for the contact sheet\n", path.c_str());
        return nullptr;
    }
    irr::scene::IMeshSceneNode* node = device->getSceneManager()->addMeshSceneNode(mesh);
    node->setPosition(position);
    node->setScale(vector3df(scale));
    setGameMaterial(node);
    node->setVisible(false);
    return node;
}

void ContactSheet::buildViews()
{
    irr::scene::IMeshSceneNode* arena = addModel("Arena2/ARENA_MESH.obj", {}, 1.0f);
    irr::scene::IMeshSceneNode* navigation = addModel("Arena2/ARENA_NAV.obj", {0, 0.05f, 0}, 1.0f);
    irr::scene::IMeshSceneNode* dragon = addModel("dragon.obj", {0, 2, 0}, 0.1f);
    irr::scene::IMeshSceneNode* orc = addModel("orc.obj", {0, 3, 0}, 0.1f);
    irr::scene::IMeshSceneNode* camp = addModel("newCamp.obj", {0, 1, 0}, 0.1f);
    irr::scene::IMeshSceneNode* cube = addModel("simpleCube.obj", {0, 1, 0}, 0.14f);
    irr::scene::IMeshSceneNode* dragonBeside = addModel("dragon.obj", {0, 2, -2.5f}, 0.1f);
    irr::scene::IMeshSceneNode* orcBeside = addModel("orc.obj", {0, 3, 2.5f}, 0.1f);
    if (camp && camp->getMaterialCount() > 1)
        camp->getMaterial(1).MaterialType = irr::video::EMT_TRANSPARENT_ALPHA_CHANNEL_REF;
    if (navigation)
    {
        navigation->setMaterialFlag(irr::video::EMF_WIREFRAME, true);
        navigation->getMaterial(0).EmissiveColor = irr::video::SColor(255, 80, 220, 255);
    }
    if (cube)
    {
        // The game keeps the cube lit, so that its emissive colour shows its owner.
        cube->setMaterialFlag(irr::video::EMF_LIGHTING, true);
        cube->getMaterial(0).EmissiveColor = irr::video::SColor(255, 124, 209, 25);
    }
    auto present = [](std::initializer_list<irr::scene::ISceneNode*> nodes)
    {
        std::vector<irr::scene::ISceneNode*> result;
        std::copy_if(nodes.begin(), nodes.end(), std::back_inserter(result),
                     [](auto* node) { return node != nullptr; });
        return result;
    };
    views = {{"Arena", present({arena}), {-0.6f, 0.9f, -1.0f}},
             {"Walkable floor (navigation mesh)", present({arena, navigation}), {0.0f, 1.0f, -0.02f}},
             {"Dragon (human player)", present({dragon}), {0.8f, 0.5f, -1.0f}},
             {"Dragon from the side", present({dragon}), {0.0f, 0.15f, -1.0f}},
             {"Orc (computer player)", present({orc}), {1.0f, 0.35f, -0.7f}},
             {"Dragon and orc at game scale", present({dragonBeside, orcBeside}), {1.0f, 0.3f, 0.1f}},
             {"Camp", present({camp}), {1.0f, 0.6f, -0.9f}},
             {"Unit cube, lit by its owner", present({cube}), {1.0f, 0.8f, -0.8f}}};
}

void ContactSheet::drawView(const View& view, const irr::core::recti& area)
{
    irr::video::IVideoDriver* driver = device->getVideoDriver();
    irr::core::aabbox3df box;
    bool first = true;
    for (irr::scene::ISceneNode* node : view.nodes)
    {
        node->setVisible(true);
        node->updateAbsolutePosition();
        const irr::core::aabbox3df bounds = node->getTransformedBoundingBox();
        if (first)
            box = bounds;
        else
            box.addInternalBox(bounds);
        first = false;
    }
    if (first)
        return;
    const float radius = std::max(box.getExtent().getLength() * 0.5f, 0.01f);
    const float fieldOfView = camera->getFOV();
    const float distance = radius / std::sin(fieldOfView * 0.5f) * 0.85f;
    camera->setTarget(box.getCenter());
    camera->setPosition(box.getCenter() + vector3df(view.direction).normalize() * distance);
    camera->setAspectRatio(static_cast<float>(area.getWidth()) / static_cast<float>(area.getHeight()));
    camera->setNearValue(distance / 100.0f);
    camera->setFarValue(distance * 4.0f);
    camera->updateAbsolutePosition();
    driver->setViewPort(area);
    device->getSceneManager()->drawAll();
    for (irr::scene::ISceneNode* node : view.nodes)
        node->setVisible(false);
}

void ContactSheet::drawFontSamples(const irr::core::recti& area)
{
    irr::gui::IGUIEnvironment* gui = device->getGUIEnvironment();
    int top = area.UpperLeftCorner.Y + 10;
    for (int size : fontSizes)
    {
        const std::string path = assets + "/Fonts/avenir_LT_" + std::to_string(size) + ".xml";
        irr::gui::IGUIFont* font = gui->getFont(path.c_str());
        if (!font)
        {
            std::printf("WARNING: Could not load %s for the contact sheet\n", path.c_str());
            continue;
        }
        const irr::core::stringw sample =
            irr::core::stringw(size) +
            L" px: Player 2 created a camp! Time left: 89 - ABCXYZ abcxyz 0123456789 ?!&%";
        font->draw(sample, irr::core::recti(20, top, area.LowerRightCorner.X, top + size * 2), captionColour);
        top += font->getDimension(sample.c_str()).Height + 16;
    }
}

irr::video::IImage* ContactSheet::render()
{
    irr::video::IVideoDriver* driver = device->getVideoDriver();
    irr::scene::ISceneManager* scene = device->getSceneManager();
    camera = scene->addCameraSceneNode();
    buildViews();
    const irr::core::dimension2du screen = driver->getScreenSize();
    const int cellWidth = static_cast<int>(screen.Width) / columns;
    const int cellHeight = (static_cast<int>(screen.Height) - fontStripHeight) / rows;

    driver->beginScene(true, true, background);
    drawnCells.clear();
    for (std::size_t k = 0; k < views.size(); ++k)
    {
        const int x = static_cast<int>(k % columns) * cellWidth;
        const int y = static_cast<int>(k / columns) * cellHeight;
        const irr::core::recti area(x + 2, y + 2, x + cellWidth - 2, y + cellHeight - 2);
        drawView(views[k], area);
        drawnCells.push_back({views[k].caption, area});
    }
    driver->setViewPort(
        irr::core::recti(0, 0, static_cast<int>(screen.Width), static_cast<int>(screen.Height)));
    irr::gui::IGUIFont* captionFont = device->getGUIEnvironment()->getBuiltInFont();
    for (const Cell& cell : drawnCells)
        captionFont->draw(irr::core::stringw(cell.caption.c_str()),
                          irr::core::recti(cell.area.UpperLeftCorner + irr::core::vector2di(6, 4),
                                           cell.area.LowerRightCorner),
                          captionColour);
    drawFontSamples(irr::core::recti(0, rows * cellHeight, static_cast<int>(screen.Width),
                                     static_cast<int>(screen.Height)));
    irr::video::IImage* image = FrameCapture::readBackBuffer(device->getVideoDriver());
    driver->endScene();
    return image;
}
