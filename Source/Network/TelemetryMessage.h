#pragma once

#include <string>
#include <vector>

// The JSON texts the game streams to its observer, built piece by piece exactly as the observer reads them.
class TelemetryMessage
{
public:
    // The tiles of an influence map, in index order; width and height come already written.
    static std::string influence(const std::string& widthText, const std::string& heightText,
                                 const std::vector<float>& tiles);
};
