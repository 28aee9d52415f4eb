#include "OrcParameterFile.h"

#include "GameEngine/IniLines.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <variant>

namespace
{
using Key = OrcParameterFile::Key;
constexpr double noLimit = OrcParameterFile::noLimit;

const std::array<Key, 12> keyTable{{
    {"rival_range", &OrcParameters::rivalRange, 0.0, 10000.0},
    {"capture_range", &OrcParameters::captureRange, 0.0, 10000.0},
    {"own_camp_reach", &OrcParameters::ownCampReach, 0.0, 10000.0},
    {"unit_range", &OrcParameters::unitRange, 0.0, noLimit},
    {"camp_threshold", &OrcParameters::campThreshold, 0.0, 1000.0},
    {"camp_threshold_step", &OrcParameters::campThresholdStep, 0.0, 1000.0},
    {"capture_margin", &OrcParameters::captureMargin, 0.0, 1000.0},
    {"fewest_units_to_reinforce", &OrcParameters::fewestUnitsToReinforce, 1.0, 1000.0},
    {"dash_speed", &OrcParameters::dashSpeed, 0.0, 10.0},
    {"blocked_share", &OrcParameters::blockedShare, 0.0, 1.0},
    {"blocked_time_before_detour", &OrcParameters::blockedTimeBeforeDetour, 0.0, 100000.0},
    {"detour_length", &OrcParameters::detourLength, 0.0, 1000.0},
}};

// A number in [least, most], the whole text and nothing else; whole where the field counts.
std::optional<double> numberIn(const std::string& text, const Key& key)
{
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(start, &end);
    if (end == start || *end != '\0' || errno == ERANGE || std::isnan(value))
        return std::nullopt;
    const bool whole = std::holds_alternative<int OrcParameters::*>(key.field);
    if (value < key.least || value > key.most || (whole && value != std::floor(value)))
        return std::nullopt;
    return value;
}

std::string rangeText(const Key& key)
{
    std::ostringstream text;
    text << (std::holds_alternative<int OrcParameters::*>(key.field) ? "a whole number" : "a number")
         << " from " << key.least << " to ";
    if (key.most == noLimit)
        text << "inf";
    else
        text << key.most;
    return text.str();
}

struct Reading
{
    OrcParameters parameters;
    std::set<std::string> seen;
    // The first wrong line and what is wrong there; the lines after it are read on but change nothing.
    std::string problem;
    std::size_t problemLine = 0;
};

bool refuse(Reading& reading, std::size_t lineNumber, const std::string& problem)
{
    if (reading.problemLine == 0)
    {
        reading.problem = problem;
        reading.problemLine = lineNumber;
    }
    return false;
}

bool takeLine(Reading& reading, const IniLines& ini, const std::string& section, const std::string& key,
              const std::string& value)
{
    const std::size_t line = ini.lineNumber();
    if (!section.empty())
        return refuse(reading, line, "section [" + section + "]: the file takes no sections");
    const Key* known = nullptr;
    for (const Key& candidate : OrcParameterFile::keys())
        if (key == candidate.name)
            known = &candidate;
    if (!known)
        return refuse(reading, line, "key '" + key + "': unknown key");
    // inih read only the start of the line, so the value may be cut short.
    if (ini.cut())
        return refuse(reading, line,
                      "key '" + key + "': the line is longer than " + std::to_string(ini.longestRead()) +
                          " characters");
    if (!reading.seen.insert(key).second)
        return refuse(reading, line, "key '" + key + "': given twice");
    const std::optional<double> number = numberIn(value, *known);
    if (!number)
        return refuse(reading, line, "key '" + key + "': '" + value + "' is not " + rangeText(*known));
    std::visit(
        [&](auto field)
        {
            using Value = std::decay_t<decltype(reading.parameters.*field)>;
            reading.parameters.*field = static_cast<Value>(*number);
        },
        known->field);
    return true;
}
}  // namespace

const std::array<OrcParameterFile::Key, 12>& OrcParameterFile::keys()
{
    return keyTable;
}

std::optional<OrcParameters> OrcParameterFile::read(const std::string& path, std::string& error)
{
    std::string content;
    int failure = 0;
    if (!IniLines::load(path, content, failure))
    {
        error = path + ": cannot be read";
        return std::nullopt;
    }
    const std::vector<std::string> lines = IniLines::split(content);
    IniLines ini(lines);
    Reading reading;
    ini.parse([&](const std::string& section, const std::string& key, const std::string& value)
              { return takeLine(reading, ini, section, key, value); },
              [&](std::size_t line) { refuse(reading, line, "not a 'key = value' line"); });
    if (reading.problemLine == 0)
        return reading.parameters;
    error = path + " line " + std::to_string(reading.problemLine) + ": " + reading.problem;
    return std::nullopt;
}
