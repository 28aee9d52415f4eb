#pragma once

#include "AI/OrcParameters.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <variant>

// An orc's parameter set, read (by inih, through IniLines) from an INI file of `key = value` lines (no
// sections; `;` and `#` start comments). Keys left out keep today's values, so an empty file is today's orcs.
class OrcParameterFile
{
public:
    // One key of the file: the parameter it sets and the values it takes, `least` to `most` (whole numbers
    // where the parameter counts).
    struct Key
    {
        const char* name;
        std::variant<float OrcParameters::*, int OrcParameters::*> field;
        double least;
        double most;
    };
    static constexpr double noLimit = HUGE_VAL;

    // Every key a file may hold.
    static const std::array<Key, 12>& keys();
    // The set, or nothing with `error` naming the file, the line and the key that is wrong.
    static std::optional<OrcParameters> read(const std::string& path, std::string& error);
};
