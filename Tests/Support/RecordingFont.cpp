#include "Support/RecordingFont.h"

#include <cwchar>

namespace
{
constexpr irr::u32 glyphWidth = 10;
constexpr irr::u32 glyphHeight = 20;
}  // namespace

void RecordingFont::draw(const irr::core::stringw& text, const irr::core::rect<irr::s32>& position,
                         irr::video::SColor color, bool hcenter, bool vcenter,
                         const irr::core::rect<irr::s32>* /*clip*/)
{
    calls.push_back({text, position, color, hcenter, vcenter});
}

irr::core::dimension2d<irr::u32> RecordingFont::getDimension(const wchar_t* text) const
{
    return {static_cast<irr::u32>(std::wcslen(text)) * glyphWidth, glyphHeight};
}

irr::s32 RecordingFont::getCharacterFromPos(const wchar_t* /*text*/, irr::s32 pixelX) const
{
    return pixelX / static_cast<irr::s32>(glyphWidth);
}

void RecordingFont::setKerningWidth(irr::s32 /*kerning*/)
{
}

void RecordingFont::setKerningHeight(irr::s32 /*kerning*/)
{
}

irr::s32 RecordingFont::getKerningWidth(const wchar_t* /*thisLetter*/,
                                        const wchar_t* /*previousLetter*/) const
{
    return 0;
}

irr::s32 RecordingFont::getKerningHeight() const
{
    return 0;
}

void RecordingFont::setInvisibleCharacters(const wchar_t* /*characters*/)
{
}
