#pragma once

#include <cstddef>
#include <string>

// How the telemetry messages write their numbers: the same text on every machine, whatever its
// C library or locale would print.
class NumberText
{
public:
    static constexpr int significantDigits = 6;
    // The observer reads exponents as three digits with a sign, as in 1.23457e+006.
    static constexpr std::size_t exponentDigits = 3;

    static std::string of(int value);
    static std::string of(unsigned value);
    // Like %g: fixed notation for decimal exponents from -4 to 5, else scientific; no trailing zeros.
    static std::string of(float value);
};
