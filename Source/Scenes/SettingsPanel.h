#pragma once

#include <functional>
#include <irrlicht.h>
#include <string>
#include <vector>

class BaseScene;
class ISoundEngine;
struct PlayerSettings;

// The start menu's settings: music and effects volume, mouse sensitivity, fullscreen and the frame cap,
// with "Back" to return to the menu. Built hidden with the menu; the menu shows it in place of its own
// buttons. Every change reaches the engine at once, and while the panel shows, the match's music plays at
// the music volume and each change of the effects volume sounds an effect, so that both are heard as they
// are set. The changes are saved when the panel closes.
class SettingsPanel
{
public:
    static constexpr irr::s32 musicVolumeId = 201;
    static constexpr irr::s32 effectsVolumeId = 202;
    static constexpr irr::s32 mouseSensitivityId = 203;
    // The first button of each row of choices; the others follow.
    static constexpr irr::s32 fullscreenChoiceId = 210;
    static constexpr irr::s32 maxFpsChoiceId = 220;
    static constexpr irr::s32 backButtonId = 230;
    static constexpr const char* textFontPath = "../Assets/Fonts/avenir_LT_14.xml";
    static constexpr const char* titleFontPath = "../Assets/Fonts/avenir_LT_22.xml";
    static constexpr const char* effectSample = "../Assets/Audio/PickupUnit.wav";
    static constexpr const wchar_t* windowModeNote = L"Fullscreen takes effect at the next start.";
    // The mouse slider's steps: tenths.
    static constexpr int sensitivitySteps = 10;
    // At most one effect per this many milliseconds while the effects slider moves.
    static constexpr irr::u32 effectSampleInterval = 150;

    // `onBack` runs when the player leaves the panel.
    SettingsPanel(BaseScene& menu, std::function<void()> onBack);
    ~SettingsPanel();
    SettingsPanel(const SettingsPanel&) = delete;
    SettingsPanel& operator=(const SettingsPanel&) = delete;

    void show();
    // Saves the changes and stops the preview sounds.
    void hide();
    bool isShown() const;
    // Takes the panel's own GUI events, and Escape for "Back", while it shows.
    bool onEvent(const irr::SEvent& event);
    // Hides the panel and takes it out of the GUI.
    void remove();

    irr::gui::IGUIElement* root = nullptr;
    irr::gui::IGUIScrollBar* musicVolume = nullptr;
    irr::gui::IGUIScrollBar* effectsVolume = nullptr;
    irr::gui::IGUIScrollBar* mouseSensitivity = nullptr;
    std::vector<irr::gui::IGUIButton*> fullscreenChoices;
    std::vector<irr::gui::IGUIButton*> maxFpsChoices;
    irr::gui::IGUIButton* backButton = nullptr;
    // Every text the panel shows, for a look at whether it fits.
    std::vector<irr::gui::IGUIStaticText*> texts;
    // Plays while the panel shows.
    ISoundEngine* preview = nullptr;

private:
    static const irr::video::SColor textColor;
    static const irr::video::SColor backgroundColor;

    // Where the rows of the panel lie, from the screen's size.
    struct Layout;

    void build();
    irr::gui::IGUIStaticText* addText(const wchar_t* text, const irr::core::recti& rectangle,
                                      irr::gui::IGUIFont* font, irr::gui::EGUI_ALIGNMENT horizontal);
    irr::gui::IGUIScrollBar* addSlider(const Layout& layout, int row, const wchar_t* label, irr::s32 id,
                                       int least, int most, irr::gui::IGUIStaticText*& value);
    std::vector<irr::gui::IGUIButton*> addChoices(const Layout& layout, int row, const wchar_t* label,
                                                  irr::s32 firstId, const std::vector<std::wstring>& names);
    void showSettings();
    void showValues(const PlayerSettings& settings);
    static void showChoice(const std::vector<irr::gui::IGUIButton*>& choices, std::size_t chosen);
    bool slide(irr::s32 id, irr::s32 position);
    bool click(irr::s32 id);
    void change(const PlayerSettings& changed);
    void sampleEffect();
    void back();

    BaseScene& menu;
    std::function<void()> onBack;
    irr::gui::IGUIFont* textFont = nullptr;
    irr::gui::IGUIStaticText* musicValue = nullptr;
    irr::gui::IGUIStaticText* effectsValue = nullptr;
    irr::gui::IGUIStaticText* sensitivityValue = nullptr;
    bool sampled = false;
    irr::u32 lastSample = 0;
};
