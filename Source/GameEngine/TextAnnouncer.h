#pragma once

#include "GameEngine/Announcement.h"
#include "GameEngine/BaseEntity.h"

#include <vector>

class BaseScene;

// Shows short messages in the middle of the screen: each stands still, then rises and vanishes
// two seconds after it was announced.
class TextAnnouncer : public BaseEntity
{
public:
    static constexpr const char* fontPath = "../Assets/Fonts/avenir_LT_22.xml";
    static constexpr float lifetime = 2000.0f;
    // Frames longer than this (the first after a scene change) do not age the messages.
    static constexpr double longestAgingFrame = 1000.0;

    bool init(BaseScene* scene);
    void announce(const irr::core::stringw& text, irr::video::SColor color);
    void draw(double frameDelta, float totalTime) override;

    const std::vector<Announcement>& getMessages() const { return messages; }

    BaseScene* scene = nullptr;
    irr::gui::IGUIFont* font = nullptr;

private:
    static constexpr int firstRow = 8;
    static constexpr int rowHeight = 25;
    static constexpr double liftStartRatio = 0.4;
    static constexpr double liftHeight = 120.0;

    // How far a message of this age has risen, from 0 (still) to 1 (gone).
    static double liftAt(float age);
    void drawMessage(const Announcement& message, double lift) const;
    irr::u32 screenHeight() const;

    std::vector<Announcement> messages;
};
