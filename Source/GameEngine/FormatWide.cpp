#include "GameEngine/FormatWide.h"

#include <cstdarg>
#include <cwchar>

int formatWide(WideText& buffer, const wchar_t* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vswprintf(buffer, wideTextCapacity, format, arguments);
    va_end(arguments);
    if (written >= 0)
        return written;
    // vswprintf reports a cut text as a failure and leaves the end of the buffer unspecified.
    buffer[wideTextCapacity - 1] = L'\0';
    return static_cast<int>(std::wcslen(buffer));
}
