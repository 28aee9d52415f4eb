#pragma once

#include <irrlicht.h>
#include <vector>

// A font that draws nothing and remembers every draw call, for tests that check what was drawn,
// where and in which colour. Each glyph measures 10 by 20 pixels.
class RecordingFont : public irr::gui::IGUIFont
{
public:
    struct DrawCall
    {
        irr::core::stringw text;
        irr::core::rect<irr::s32> position;
        irr::video::SColor color;
        bool horizontallyCentred;
        bool verticallyCentred;
    };

    void draw(const irr::core::stringw& text, const irr::core::rect<irr::s32>& position,
              irr::video::SColor color, bool hcenter, bool vcenter,
              const irr::core::rect<irr::s32>* /*clip*/) override
    {
        calls.push_back({text, position, color, hcenter, vcenter});
    }
    irr::core::dimension2d<irr::u32> getDimension(const wchar_t* text) const override;
    irr::s32 getCharacterFromPos(const wchar_t* /*text*/, irr::s32 pixelX) const override
    {
        return pixelX / 10;
    }
    void setKerningWidth(irr::s32 /*kerning*/) override {}
    void setKerningHeight(irr::s32 /*kerning*/) override {}
    irr::s32 getKerningWidth(const wchar_t* /*thisLetter*/, const wchar_t* /*previousLetter*/) const override
    {
        return 0;
    }
    irr::s32 getKerningHeight() const override { return 0; }
    void setInvisibleCharacters(const wchar_t* /*characters*/) override {}

    std::vector<DrawCall> calls;
};
