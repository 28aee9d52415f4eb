#include "OrcParameterFile.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ini.h>
#include <set>
#include <sstream>
#include <variant>

namespace
{
struct Key
{
    const char* name;
    std::variant<float OrcParameters::*, int OrcParameters::*> field;
    double least;
    double most;
};

constexpr double noLimit = HUGE_VAL;

const std::array<Key, 12> keys{{
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
    std::FILE* file = nullptr;
    int line = 0;
    OrcParameters parameters;
    std::set<std::string> seen;
    // The first wrong key and its line; inih reads on after it.
    std::string problem;
    int problemLine = 0;
};

// Hands inih the file's lines one by one, counting them: its handler is not told the line.
char* nextLine(char* text, int size, void* user)
{
    auto& reading = *static_cast<Reading*>(user);
    char* line = std::fgets(text, size, reading.file);
    if (line)
        ++reading.line;
    return line;
}

bool refuse(Reading& reading, const std::string& problem)
{
    if (reading.problemLine == 0)
    {
        reading.problem = problem;
        reading.problemLine = reading.line;
    }
    return false;
}

int takeLine(void* user, const char* section, const char* name, const char* value)
{
    auto& reading = *static_cast<Reading*>(user);
    if (*section != '\0')
        return refuse(reading, "section [" + std::string(section) + "]: the file takes no sections");
    const std::string key = name;
    const Key* known = nullptr;
    for (const Key& candidate : keys)
        if (key == candidate.name)
            known = &candidate;
    if (!known)
        return refuse(reading, "key '" + key + "': unknown key");
    if (!reading.seen.insert(key).second)
        return refuse(reading, "key '" + key + "': given twice");
    const std::optional<double> number = numberIn(value, *known);
    if (!number)
        return refuse(reading, "key '" + key + "': '" + value + "' is not " + rangeText(*known));
    std::visit(
        [&](auto field)
        {
            using Value = std::decay_t<decltype(reading.parameters.*field)>;
            reading.parameters.*field = static_cast<Value>(*number);
        },
        known->field);
    return 1;
}
}  // namespace

std::optional<OrcParameters> OrcParameterFile::read(const std::string& path, std::string& error)
{
    Reading reading;
    reading.file = std::fopen(path.c_str(), "r");
    if (!reading.file)
    {
        error = path + ": cannot be read";
        return std::nullopt;
    }
    const int firstError = ini_parse_stream(nextLine, &reading, takeLine, &reading);
    std::fclose(reading.file);
    if (firstError == 0)
        return reading.parameters;
    // inih names the first wrong line, whether a key was refused there or the line reads as no key.
    const bool keyRefused = reading.problemLine == firstError;
    error = path + " line " + std::to_string(firstError) + ": " +
            (keyRefused ? reading.problem : "not a 'key = value' line");
    return std::nullopt;
}
