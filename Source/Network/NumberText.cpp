#include "Network/NumberText.h"

#include <charconv>
#include <cmath>

namespace
{
template <class Number>
std::string decimalText(Number value)
{
    char text[24];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// "e+06" becomes "e+006": the exponent part is everything after the sign.
void widenExponent(std::string& text)
{
    const std::size_t exponent = text.find('e');
    if (exponent == std::string::npos)
        return;
    const std::size_t digitsStart = exponent + 2;
    const std::size_t digits = text.size() - digitsStart;
    if (digits < NumberText::exponentDigits)
        text.insert(digitsStart, NumberText::exponentDigits - digits, '0');
}
}  // namespace

std::string NumberText::of(int value)
{
    return decimalText(value);
}

std::string NumberText::of(unsigned value)
{
    return decimalText(value);
}

std::string NumberText::of(float value)
{
    char buffer[32];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, significantDigits);
    std::string text(buffer, result.ptr);
    if (std::isfinite(value))
        widenExponent(text);
    return text;
}
