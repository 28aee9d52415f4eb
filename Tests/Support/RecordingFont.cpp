#include "Support/RecordingFont.h"

#include <cwchar>

irr::core::dimension2d<irr::u32> RecordingFont::getDimension(const wchar_t* text) const
{
    return {static_cast<irr::u32>(std::wcslen(text)) * 10, 20};
}
