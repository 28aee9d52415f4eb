#include "GameEngine/GuiGroup.h"

GuiGroup::GuiGroup(irr::gui::IGUIEnvironment* gui) : gui(gui)
{
}

GuiGroup::~GuiGroup()
{
    remove();
}

void GuiGroup::show(bool shown)
{
    for (irr::gui::IGUIElement* element : elements)
    {
        // A hidden element that kept the focus would still take the keys.
        if (!shown)
            gui->removeFocus(element);
        element->setVisible(shown);
    }
}

void GuiGroup::remove()
{
    // The GUI keeps its focused element alive and hands it the keys, even once it has left the tree.
    for (irr::gui::IGUIElement* element : elements)
        gui->removeFocus(element);
    // Last made first, so that a child goes before the parent it was added to.
    for (auto element = elements.rbegin(); element != elements.rend(); ++element)
        (*element)->remove();
    elements.clear();
}
