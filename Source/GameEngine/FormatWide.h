#pragma once

#include <cstddef>

// Room of every wide message buffer, terminator included.
constexpr std::size_t wideTextCapacity = 256;
using WideText = wchar_t[wideTextCapacity];

// Formats a wide message text into `buffer`, never past its end. A text that does not fit is cut
// at 255 characters. Returns the number of characters written, terminator excluded.
int formatWide(WideText& buffer, const wchar_t* format, ...);
