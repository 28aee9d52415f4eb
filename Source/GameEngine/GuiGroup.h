#pragma once

#include <irrlicht.h>
#include <vector>

// GUI elements that one screen made, shown, hidden and taken out of the GUI together, at the latest
// when the group goes. A child is added after its parent.
class GuiGroup
{
public:
    explicit GuiGroup(irr::gui::IGUIEnvironment* gui);
    ~GuiGroup();
    GuiGroup(const GuiGroup&) = delete;
    GuiGroup& operator=(const GuiGroup&) = delete;

    template <class Element>
    Element* add(Element* element)
    {
        if (element)
            elements.push_back(element);
        return element;
    }
    void show(bool shown);
    void remove();
    const std::vector<irr::gui::IGUIElement*>& all() const { return elements; }

private:
    irr::gui::IGUIEnvironment* gui;
    std::vector<irr::gui::IGUIElement*> elements;
};
