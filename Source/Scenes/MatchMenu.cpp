#include "Scenes/MatchMenu.h"

#include "Entities/HumanPlayer.h"
#include "GameEngine/EventReceiver.h"
#include "GameEngine/FontLoader.h"
#include "GameEngine/GameEngine.h"
#include "Scenes/BaseGameScene.h"

const irr::video::SColor MatchMenu::textColor(255, 240, 240, 240);
const irr::video::SColor MatchMenu::backgroundColor(220, 40, 40, 40);

MatchMenu::MatchMenu(BaseGameScene& match) : match(match), group(match.guiEnvironment)
{
    build();
}

MatchMenu::~MatchMenu() = default;

void MatchMenu::build()
{
    const irr::core::dimension2du screen = match.driver->getScreenSize();
    const irr::s32 halfW = static_cast<irr::s32>(screen.Width / 2);
    const irr::s32 halfH = static_cast<irr::s32>(screen.Height / 2);
    // As wide as "Start Game" is in the menu, half of it for the buttons.
    const auto width = static_cast<irr::s32>(screen.Width / 2);
    const auto rowHeight = static_cast<irr::s32>(static_cast<float>(screen.Height) * 0.075f);
    const irr::s32 margin = rowHeight / 4;
    const irr::s32 height = rows * rowHeight + 2 * margin;
    irr::gui::IGUIEnvironment* gui = match.guiEnvironment;
    irr::gui::IGUIStaticText* panel = group.add(gui->addStaticText(
        L"", {halfW - width / 2, halfH - height / 2, halfW + width / 2, halfH - height / 2 + height}, true,
        false, nullptr, -1, true));
    panel->setBackgroundColor(backgroundColor);
    root = panel;
    const auto row = [&](int index, irr::s32 left, irr::s32 right)
    {
        const irr::s32 top = margin + index * rowHeight;
        return irr::core::recti(left, top + rowHeight / 10, right, top + rowHeight - rowHeight / 10);
    };
    irr::gui::IGUIFont* textFont = FontLoader::load(gui, textFontPath);
    addText(heading, row(0, margin, width - margin), FontLoader::load(gui, headingFontPath));
    noteText = addText(note, row(1, margin, width - margin), textFont);
    const irr::s32 buttonLeft = width / 4;
    const irr::s32 buttonRight = width - width / 4;
    resumeButton = addButton(row(2, buttonLeft, buttonRight), resumeButtonId, L"Resume", textFont);
    backButton = addButton(row(3, buttonLeft, buttonRight), backButtonId, L"Back to menu", textFont);
    quitButton = addButton(row(4, buttonLeft, buttonRight), quitButtonId, L"Quit", textFont);
    group.show(false);
}

irr::gui::IGUIStaticText* MatchMenu::addText(const wchar_t* text, const irr::core::recti& area,
                                             irr::gui::IGUIFont* font)
{
    irr::gui::IGUIStaticText* shown =
        group.add(match.guiEnvironment->addStaticText(text, area, false, false, root));
    shown->setOverrideFont(font);
    shown->setOverrideColor(textColor);
    shown->setTextAlignment(irr::gui::EGUIA_CENTER, irr::gui::EGUIA_CENTER);
    return shown;
}

irr::gui::IGUIButton* MatchMenu::addButton(const irr::core::recti& area, irr::s32 id, const wchar_t* text,
                                           irr::gui::IGUIFont* font)
{
    irr::gui::IGUIButton* button = group.add(match.guiEnvironment->addButton(area, root, id, text));
    button->setOverrideFont(font);
    return button;
}

bool MatchMenu::OnEvent(const irr::SEvent& event)
{
    if (event.EventType == irr::EET_KEY_INPUT_EVENT && event.KeyInput.Key == key)
        return onKey(event.KeyInput);
    if (shown && event.EventType == irr::EET_GUI_EVENT && event.GUIEvent.Caller &&
        event.GUIEvent.EventType == irr::gui::EGET_BUTTON_CLICKED && onClick(event.GUIEvent.Caller->getID()))
        return true;
    return match.eventReceiver && match.eventReceiver->OnEvent(event);
}

bool MatchMenu::onKey(const irr::SEvent::SKeyInput& input)
{
    // A held key repeats its presses: only the first one opens or closes the menu.
    if (input.PressedDown && !keyHeld)
    {
        if (shown)
            close();
        else
            open();
    }
    keyHeld = input.PressedDown;
    return true;
}

bool MatchMenu::onClick(irr::s32 id)
{
    switch (id)
    {
    case resumeButtonId:
        close();
        return true;
    case backButtonId:
        // The match leaves as it does when its clock has run out, with its next drawn frame.
        match.matchOver = true;
        return true;
    case quitButtonId:
        match.engine->quit();
        return true;
    default:
        return false;
    }
}

void MatchMenu::open()
{
    if (shown || !root)
        return;
    shown = true;
    group.show(true);
    match.device->getCursorControl()->setVisible(true);
    steerDragon(false);
}

void MatchMenu::close()
{
    if (!shown)
        return;
    shown = false;
    group.show(false);
    irr::gui::ICursorControl* cursor = match.device->getCursorControl();
    cursor->setVisible(false);
    // From the middle, so that the camera does not turn by where the free cursor was left.
    cursor->setPosition(0.5f, 0.5f);
    steerDragon(true);
}

void MatchMenu::steerDragon(bool steered)
{
    if (const std::shared_ptr<HumanPlayer> human = match.getHumanPlayer())
        human->setSteered(steered);
}

void MatchMenu::remove()
{
    shown = false;
    group.remove();
    root = nullptr;
    resumeButton = backButton = quitButton = nullptr;
    noteText = nullptr;
}
