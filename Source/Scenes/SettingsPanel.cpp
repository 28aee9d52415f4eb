#include "Scenes/SettingsPanel.h"

#include "External/ISoundEngine.h"
#include "GameEngine/BaseScene.h"
#include "GameEngine/FontLoader.h"
#include "GameEngine/FormatWide.h"
#include "GameEngine/GameEngine.h"
#include "Scenes/BaseGameScene.h"

#include <algorithm>
#include <cmath>

const irr::video::SColor SettingsPanel::textColor(255, 240, 240, 240);
const irr::video::SColor SettingsPanel::backgroundColor(220, 40, 40, 40);

// Eight rows in a panel as wide as the menu's "Start Game" button: the title, three sliders, two rows of
// choices, the note and "Back". Each row holds a label, then its control, then the slider's value.
struct SettingsPanel::Layout
{
    static constexpr int rows = 8;

    explicit Layout(const irr::core::dimension2du& screen)
    {
        const irr::s32 halfW = static_cast<irr::s32>(static_cast<float>(screen.Width) * 0.5f);
        const auto quarterW = static_cast<irr::s32>(screen.Width / 4);
        rowHeight = static_cast<irr::s32>(static_cast<float>(screen.Height) * 0.075f);
        width = 2 * quarterW;
        margin = width / 25;
        const irr::s32 top = static_cast<irr::s32>(static_cast<float>(screen.Height) * 0.12f);
        panel = {halfW - quarterW, top, halfW + quarterW, top + rows * rowHeight + margin};
    }
    irr::s32 at(float share) const { return static_cast<irr::s32>(static_cast<float>(width) * share); }
    irr::core::recti row(int index, irr::s32 left, irr::s32 right, float heightShare = 0.6f) const
    {
        const irr::s32 middle = margin / 2 + index * rowHeight + rowHeight / 2;
        const auto half = static_cast<irr::s32>(static_cast<float>(rowHeight) * heightShare / 2);
        return {left, middle - half, right, middle + half};
    }
    irr::core::recti label(int index) const { return row(index, margin, at(0.36f)); }
    irr::core::recti control(int index) const { return row(index, at(0.38f), at(0.82f)); }
    irr::core::recti value(int index) const { return row(index, at(0.84f), width - margin); }
    irr::core::recti wide(int index) const { return row(index, margin, width - margin, 0.8f); }
    // From the control's left edge to the value's right edge.
    irr::core::recti choices(int index) const { return row(index, at(0.38f), width - margin); }

    irr::core::recti panel;
    irr::s32 width = 0;
    irr::s32 rowHeight = 0;
    irr::s32 margin = 0;
};

SettingsPanel::SettingsPanel(BaseScene& menu, std::function<void()> onBack)
    : menu(menu), onBack(std::move(onBack))
{
    build();
}

SettingsPanel::~SettingsPanel()
{
    if (preview)
        preview->drop();
}

void SettingsPanel::build()
{
    irr::gui::IGUIEnvironment* gui = menu.guiEnvironment;
    const Layout layout(menu.driver->getScreenSize());
    textFont = FontLoader::load(gui, textFontPath);
    irr::gui::IGUIStaticText* panel = gui->addStaticText(L"", layout.panel, true, false, nullptr, -1, true);
    panel->setBackgroundColor(backgroundColor);
    root = panel;
    addText(L"Settings", layout.wide(0), FontLoader::load(gui, titleFontPath), irr::gui::EGUIA_CENTER);
    const int most = PlayerSettings::mostVolume;
    musicVolume = addSlider(layout, 1, L"Music volume", musicVolumeId, 0, most, musicValue);
    effectsVolume = addSlider(layout, 2, L"Effects volume", effectsVolumeId, 0, most, effectsValue);
    mouseSensitivity =
        addSlider(layout, 3, L"Mouse sensitivity", mouseSensitivityId,
                  static_cast<int>(std::lround(PlayerSettings::leastMouseSensitivity * sensitivitySteps)),
                  static_cast<int>(std::lround(PlayerSettings::mostMouseSensitivity * sensitivitySteps)),
                  sensitivityValue);
    fullscreenChoices = addChoices(layout, 4, L"Fullscreen", fullscreenChoiceId, {L"Off", L"On"});
    std::vector<std::wstring> caps;
    caps.reserve(PlayerSettings::maxFpsChoices.size());
    for (unsigned cap : PlayerSettings::maxFpsChoices)
        caps.push_back(cap == 0 ? L"Off" : std::to_wstring(cap));
    maxFpsChoices = addChoices(layout, 5, L"Frame cap", maxFpsChoiceId, caps);
    addText(windowModeNote, layout.wide(6), textFont, irr::gui::EGUIA_CENTER);
    const irr::s32 middle = layout.width / 2;
    const irr::core::recti backRow =
        layout.row(7, middle - layout.at(0.15f), middle + layout.at(0.15f), 0.8f);
    backButton = gui->addButton(backRow, root, backButtonId, L"Back");
    backButton->setOverrideFont(textFont);
    root->setVisible(false);
}

irr::gui::IGUIStaticText* SettingsPanel::addText(const wchar_t* text, const irr::core::recti& rectangle,
                                                 irr::gui::IGUIFont* font,
                                                 irr::gui::EGUI_ALIGNMENT horizontal)
{
    irr::gui::IGUIStaticText* shown = menu.guiEnvironment->addStaticText(text, rectangle, false, false, root);
    shown->setOverrideFont(font);
    shown->setOverrideColor(textColor);
    shown->setTextAlignment(horizontal, irr::gui::EGUIA_CENTER);
    texts.push_back(shown);
    return shown;
}

irr::gui::IGUIScrollBar* SettingsPanel::addSlider(const Layout& layout, int row, const wchar_t* label,
                                                  irr::s32 id, int least, int most,
                                                  irr::gui::IGUIStaticText*& value)
{
    addText(label, layout.label(row), textFont, irr::gui::EGUIA_UPPERLEFT);
    irr::gui::IGUIScrollBar* slider = menu.guiEnvironment->addScrollBar(true, layout.control(row), root, id);
    slider->setMin(least);
    slider->setMax(most);
    slider->setSmallStep(1);
    slider->setLargeStep(std::max(1, (most - least) / 10));
    value = addText(L"", layout.value(row), textFont, irr::gui::EGUIA_UPPERLEFT);
    return slider;
}

std::vector<irr::gui::IGUIButton*> SettingsPanel::addChoices(const Layout& layout, int row,
                                                             const wchar_t* label, irr::s32 firstId,
                                                             const std::vector<std::wstring>& names)
{
    addText(label, layout.label(row), textFont, irr::gui::EGUIA_UPPERLEFT);
    const irr::core::recti area = layout.choices(row);
    const auto count = static_cast<irr::s32>(names.size());
    const irr::s32 gap = layout.margin / 2;
    const irr::s32 each = (area.getWidth() - gap * (count - 1)) / count;
    std::vector<irr::gui::IGUIButton*> buttons;
    for (irr::s32 index = 0; index < count; ++index)
    {
        const irr::s32 left = area.UpperLeftCorner.X + index * (each + gap);
        irr::gui::IGUIButton* button = menu.guiEnvironment->addButton(
            {left, area.UpperLeftCorner.Y, left + each, area.LowerRightCorner.Y}, root, firstId + index,
            names[static_cast<std::size_t>(index)].c_str());
        button->setOverrideFont(textFont);
        button->setIsPushButton(true);
        buttons.push_back(button);
    }
    return buttons;
}

void SettingsPanel::show()
{
    if (!root || isShown())
        return;
    showSettings();
    root->setVisible(true);
    preview = menu.engine->openSoundEngine();
    const PlayerSettings& settings = menu.engine->getPlayerSettings();
    preview->setGains(settings.musicGain(), settings.effectsGain());
    preview->play2D(BaseGameScene::musicPath, true);
}

void SettingsPanel::hide()
{
    if (!isShown())
        return;
    // A hidden slider that kept the focus would still take the arrow keys.
    irr::gui::IGUIElement* focus = menu.guiEnvironment->getFocus();
    if (focus && (focus == root || root->isMyChild(focus)))
        menu.guiEnvironment->removeFocus(focus);
    root->setVisible(false);
    if (preview)
        preview->drop();
    preview = nullptr;
    menu.engine->savePlayerSettings();
}

bool SettingsPanel::isShown() const
{
    return root && root->isVisible();
}

void SettingsPanel::remove()
{
    hide();
    if (root)
        root->remove();
    root = nullptr;
}

void SettingsPanel::showSettings()
{
    const PlayerSettings& settings = menu.engine->getPlayerSettings();
    musicVolume->setPos(settings.musicVolume);
    effectsVolume->setPos(settings.effectsVolume);
    mouseSensitivity->setPos(
        static_cast<irr::s32>(std::lround(settings.mouseSensitivity * sensitivitySteps)));
    showValues(settings);
}

void SettingsPanel::showValues(const PlayerSettings& settings)
{
    WideText text;
    formatWide(text, L"%d %%", settings.musicVolume);
    musicValue->setText(text);
    formatWide(text, L"%d %%", settings.effectsVolume);
    effectsValue->setText(text);
    formatWide(text, L"%.1f", settings.mouseSensitivity);
    sensitivityValue->setText(text);
    showChoice(fullscreenChoices, settings.fullscreen ? 1 : 0);
    const auto& caps = PlayerSettings::maxFpsChoices;
    showChoice(maxFpsChoices,
               static_cast<std::size_t>(std::find(caps.begin(), caps.end(), settings.maxFps) - caps.begin()));
}

void SettingsPanel::showChoice(const std::vector<irr::gui::IGUIButton*>& choices, std::size_t chosen)
{
    // A push button flips itself when clicked; only the chosen one stays down.
    for (std::size_t index = 0; index < choices.size(); ++index)
        choices[index]->setPressed(index == chosen);
}

bool SettingsPanel::onEvent(const irr::SEvent& event)
{
    if (!isShown())
        return false;
    if (event.EventType == irr::EET_KEY_INPUT_EVENT)
    {
        if (event.KeyInput.Key != irr::KEY_ESCAPE)
            return false;
        if (!event.KeyInput.PressedDown)
            back();
        return true;
    }
    if (event.EventType != irr::EET_GUI_EVENT || !event.GUIEvent.Caller)
        return false;
    irr::gui::IGUIElement* caller = event.GUIEvent.Caller;
    if (event.GUIEvent.EventType == irr::gui::EGET_SCROLL_BAR_CHANGED)
        return slide(caller->getID(), static_cast<irr::gui::IGUIScrollBar*>(caller)->getPos());
    if (event.GUIEvent.EventType == irr::gui::EGET_BUTTON_CLICKED)
        return click(caller->getID());
    return false;
}

bool SettingsPanel::slide(irr::s32 id, irr::s32 position)
{
    PlayerSettings changed = menu.engine->getPlayerSettings();
    switch (id)
    {
    case musicVolumeId:
        changed.musicVolume = position;
        break;
    case effectsVolumeId:
        changed.effectsVolume = position;
        break;
    case mouseSensitivityId:
        changed.mouseSensitivity = static_cast<double>(position) / sensitivitySteps;
        break;
    default:
        return false;
    }
    change(changed);
    if (id == effectsVolumeId)
        sampleEffect();
    return true;
}

bool SettingsPanel::click(irr::s32 id)
{
    PlayerSettings changed = menu.engine->getPlayerSettings();
    const auto fullscreenIndex = static_cast<std::size_t>(id - fullscreenChoiceId);
    const auto maxFpsIndex = static_cast<std::size_t>(id - maxFpsChoiceId);
    if (id == backButtonId)
    {
        back();
        return true;
    }
    if (id >= fullscreenChoiceId && fullscreenIndex < fullscreenChoices.size())
        changed.fullscreen = fullscreenIndex == 1;
    else if (id >= maxFpsChoiceId && maxFpsIndex < maxFpsChoices.size())
        changed.maxFps = PlayerSettings::maxFpsChoices.at(maxFpsIndex);
    else
        return false;
    change(changed);
    return true;
}

void SettingsPanel::change(const PlayerSettings& changed)
{
    menu.engine->changePlayerSettings(changed);
    showValues(changed);
    if (preview)
        preview->setGains(changed.musicGain(), changed.effectsGain());
}

void SettingsPanel::sampleEffect()
{
    const irr::u32 now = menu.device->getTimer()->getTime();
    if (!preview || (sampled && now - lastSample < effectSampleInterval))
        return;
    sampled = true;
    lastSample = now;
    preview->play2D(effectSample);
}

void SettingsPanel::back()
{
    hide();
    if (onBack)
        onBack();
}
