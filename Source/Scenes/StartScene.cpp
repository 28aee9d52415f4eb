#include "Scenes/StartScene.h"

#include "GameEngine/Console.h"
#include "GameEngine/FontLoader.h"
#include "GameEngine/FormatWide.h"
#include "Scenes/SettingsPanel.h"
#include "Scenes/StartSceneEventReceiver.h"

#include <algorithm>

const irr::video::SColor StartScene::countColor(255, 200, 0, 0);

StartScene::StartScene() = default;

StartScene::~StartScene() = default;

bool StartScene::init()
{
    Console::message("Initialize the main menu scene");
    startSceneClock();
    device->getCursorControl()->setVisible(true);
    addButtons();
    countFont = FontLoader::load(guiEnvironment, countFontPath);
    settingsPanel = std::make_unique<SettingsPanel>(*this, [this] { closeSettings(); });
    receiver = std::make_unique<StartSceneEventReceiver>(this);
    device->setEventReceiver(receiver.get());
    return true;
}

void StartScene::addButtons()
{
    const irr::core::dimension2du screen = driver->getScreenSize();
    const irr::s32 halfH = static_cast<irr::s32>(static_cast<float>(screen.Height) * 0.5f);
    const irr::s32 halfW = static_cast<irr::s32>(static_cast<float>(screen.Width) * 0.5f);
    const irr::s32 quarterW = static_cast<irr::s32>(screen.Width / 4);
    const irr::s32 eighthW = quarterW / 2;
    irr::gui::IGUIFont* buttonFont = FontLoader::load(guiEnvironment, buttonFontPath);

    startButton = addButton({halfW - quarterW, halfH + 100, halfW + quarterW, halfH + 180}, startButtonId,
                            L"Start Game", buttonFont);
    addPlayerButton = addButton({halfW + eighthW, halfH - 80, halfW + quarterW, halfH}, addPlayerButtonId,
                                L"Add Player", buttonFont);
    removePlayerButton = addButton({halfW - quarterW, halfH - 80, halfW - eighthW, halfH},
                                   removePlayerButtonId, L"Remove Player", buttonFont);
    // Below "Start Game", under "Remove Player"; the place under "Add Player" stays free for one more.
    const irr::s32 settingsTop = std::min(halfH + settingsRowTop, static_cast<irr::s32>(screen.Height) -
                                                                      bottomMargin - settingsRowHeight);
    settingsButton =
        addButton({halfW - quarterW, settingsTop, halfW - eighthW, settingsTop + settingsRowHeight},
                  settingsButtonId, L"Settings", buttonFont);
}

irr::gui::IGUIButton* StartScene::addButton(const irr::core::rect<irr::s32>& rectangle, irr::s32 id,
                                            const wchar_t* text, irr::gui::IGUIFont* font)
{
    irr::gui::IGUIButton* button = guiEnvironment->addButton(rectangle, nullptr, id, text, nullptr);
    button->setOverrideFont(font);
    return button;
}

void StartScene::draw()
{
    BaseScene::draw();
    if (!countFont || (settingsPanel && settingsPanel->isShown()))
        return;
    WideText count;
    formatWide(count, L"%d", aiPlayerCount);
    const irr::core::dimension2du screen = driver->getScreenSize();
    const irr::s32 left = static_cast<irr::s32>(static_cast<double>(screen.Width) * 0.5);
    const irr::s32 top = static_cast<irr::s32>(static_cast<float>(screen.Height) * 0.4f);
    countFont->draw(count, irr::core::rect<irr::s32>(left, top, 0, 0), countColor, false, false, nullptr);
}

void StartScene::openSettings()
{
    showMenu(false);
    settingsPanel->show();
}

void StartScene::closeSettings()
{
    settingsPanel->hide();
    showMenu(true);
}

void StartScene::showMenu(bool shown)
{
    for (irr::gui::IGUIButton* button : {startButton, addPlayerButton, removePlayerButton, settingsButton})
    {
        if (!button)
            continue;
        if (!shown)
            guiEnvironment->removeFocus(button);
        button->setVisible(shown);
    }
}

void StartScene::exit()
{
    // Saves what the player changed when the window closes while the panel shows.
    if (settingsPanel)
        settingsPanel->remove();
    for (irr::gui::IGUIButton* button : {startButton, addPlayerButton, removePlayerButton, settingsButton})
    {
        if (!button)
            continue;
        // The GUI keeps its focused element alive and hands it the keys, even once it has left the tree.
        guiEnvironment->removeFocus(button);
        button->remove();
    }
    startButton = addPlayerButton = removePlayerButton = settingsButton = nullptr;
}
