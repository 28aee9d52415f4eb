#pragma once

#include "AI/OrcParameters.h"

#include <optional>
#include <string>

// An orc's parameter set, read from an INI file of `key = value` lines (no sections; `;` and `#` start
// comments). Keys left out keep today's values, so an empty file is today's orcs.
class OrcParameterFile
{
public:
    // The set, or nothing with `error` naming the file, the line and the key that is wrong.
    static std::optional<OrcParameters> read(const std::string& path, std::string& error);
};
