#include "Scenes/StartScene.h"

#include "GameEngine/Console.h"
#include "GameEngine/FontLoader.h"
#include "GameEngine/FormatWide.h"
#include "GameEngine/GameEngine.h"
#include "Scenes/KeyLegend.h"
#include "Scenes/MenuTexts.h"
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
    texts = std::make_unique<MenuTexts>(*this);
    legend = std::make_unique<KeyLegend>(*this);
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
    const irr::s32 rowTop = std::min(halfH + settingsRowTop,
                                     static_cast<irr::s32>(screen.Height) - bottomMargin - settingsRowHeight);
    settingsButton = addButton({halfW - quarterW, rowTop, halfW - eighthW, rowTop + settingsRowHeight},
                               settingsButtonId, L"Settings", buttonFont);
    quitButton = addButton({halfW + eighthW, rowTop, halfW + quarterW, rowTop + settingsRowHeight},
                           quitButtonId, L"Quit", buttonFont);
}

std::vector<irr::gui::IGUIButton*> StartScene::buttons() const
{
    return {startButton, addPlayerButton, removePlayerButton, settingsButton, quitButton};
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
    const irr::core::recti area = countArea();
    countFont->draw(count, irr::core::rect<irr::s32>(area.UpperLeftCorner, {0, 0}), countColor, false, false,
                    nullptr);
}

irr::core::recti StartScene::countArea() const
{
    const irr::core::dimension2du screen = driver->getScreenSize();
    const irr::s32 left = static_cast<irr::s32>(static_cast<double>(screen.Width) * 0.5);
    const irr::s32 top = static_cast<irr::s32>(static_cast<float>(screen.Height) * 0.4f);
    // The widest count the menu shows.
    const irr::core::dimension2du size =
        countFont ? countFont->getDimension(L"4") : irr::core::dimension2du();
    return {left, top, left + static_cast<irr::s32>(size.Width), top + static_cast<irr::s32>(size.Height)};
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

void StartScene::quit()
{
    engine->quit();
}

void StartScene::showMenu(bool shown)
{
    for (irr::gui::IGUIButton* button : buttons())
    {
        if (!button)
            continue;
        if (!shown)
            guiEnvironment->removeFocus(button);
        button->setVisible(shown);
    }
    // The panel stands where the title and the last match's line are.
    if (texts)
        texts->show(shown);
}

void StartScene::exit()
{
    // Saves what the player changed when the window closes while the panel shows.
    if (settingsPanel)
        settingsPanel->remove();
    texts.reset();
    legend.reset();
    for (irr::gui::IGUIButton* button : buttons())
    {
        if (!button)
            continue;
        // The GUI keeps its focused element alive and hands it the keys, even once it has left the tree.
        guiEnvironment->removeFocus(button);
        button->remove();
    }
    startButton = addPlayerButton = removePlayerButton = settingsButton = quitButton = nullptr;
}
