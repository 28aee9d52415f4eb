#include "GameEngine/TextAnnouncer.h"

#include "GameEngine/BaseScene.h"
#include "GameEngine/FontLoader.h"
#include "GameEngine/ScreenScale.h"

bool TextAnnouncer::init(BaseScene* scene)
{
    this->scene = scene;
    font = FontLoader::load(scene->guiEnvironment, fontPath);
    return true;
}

void TextAnnouncer::announce(const irr::core::stringw& text, irr::video::SColor color)
{
    Announcement message;
    message.text = text;
    // Rows as tall as the font, which is larger on tall screens.
    message.top = static_cast<float>((static_cast<int>(messages.size()) + firstRow) *
                                     ScreenScale::scaled(rowHeight, screenHeight()));
    message.color = color.color == 0 ? irr::video::SColor(0xFFFFFFFF) : color;
    messages.push_back(message);
}

void TextAnnouncer::draw(double frameDelta, float /*totalTime*/)
{
    const double step = frameDelta > longestAgingFrame ? 0.0 : frameDelta;
    // Newest first, so that removing a message does not disturb the visit.
    for (std::size_t index = messages.size(); index-- > 0;)
    {
        Announcement& message = messages[index];
        message.age = static_cast<float>(message.age + step);
        const double lift = liftAt(message.age);
        if ((1.0 - lift) * 255.0 <= 0.0)
        {
            messages.erase(messages.begin() + static_cast<std::ptrdiff_t>(index));
            continue;
        }
        drawMessage(message, lift);
    }
}

double TextAnnouncer::liftAt(float age)
{
    const double ratio = static_cast<double>(age) / lifetime;
    if (ratio <= liftStartRatio)
        return 0.0;
    return 1.0 - (1.0 - ratio) / (1.0 - liftStartRatio);
}

void TextAnnouncer::drawMessage(const Announcement& message, double lift) const
{
    if (!font)
        return;
    const irr::s32 screenWidth =
        static_cast<irr::s32>(scene->device->getVideoDriver()->getScreenSize().Width);
    const irr::s32 row =
        static_cast<irr::s32>(message.top - lift * liftHeight * ScreenScale::forHeight(screenHeight()));
    // A rectangle from (width, row) to (0, 0): the font's horizontal centring then puts the text in
    // the middle of the screen with its top at the row.
    font->draw(message.text, irr::core::rect<irr::s32>(screenWidth, row, 0, 0), message.color, true, false,
               nullptr);
}

irr::u32 TextAnnouncer::screenHeight() const
{
    // Before init there is no screen to fit: the usual sizes.
    if (!scene || !scene->device)
        return 0;
    return scene->device->getVideoDriver()->getScreenSize().Height;
}
