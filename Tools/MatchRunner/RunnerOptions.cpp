#include "RunnerOptions.h"

#include <charconv>
#include <cstdint>

namespace
{
// A whole number from `least` to `most`: the whole text and nothing else.
bool readNumber(const std::string& text, long long least, long long most, long long& value)
{
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    return !text.empty() && failure == std::errc() && stop == end && value >= least && value <= most;
}

// Reads the value of one option into `options`; false if the value does not fit it.
bool readValue(const std::string& option, const std::string& value, RunnerOptions& options)
{
    long long number = 0;
    if (option == "--orcs" && readNumber(value, RunnerOptions::fewestOrcs, RunnerOptions::mostOrcs, number))
        options.orcs = static_cast<int>(number);
    else if (option == "--matches" && readNumber(value, 1, 1000000, number))
        options.matches = static_cast<int>(number);
    else if (option == "--frame-ms" && readNumber(value, 1, 1000, number))
        options.frameMs = static_cast<unsigned>(number);
    else if (option == "--seed" && readNumber(value, 0, UINT32_MAX, number))
        options.seed = static_cast<std::uint32_t>(number);
    else if (option == "--telemetry" && !value.empty())
        options.telemetryFile = value;
    else if (option == "--dragon" && (value == "still" || value == "wander"))
        options.dragon = value == "still" ? RunnerOptions::Dragon::still : RunnerOptions::Dragon::wander;
    else
        return false;
    return true;
}

bool takesValue(const std::string& option)
{
    return option == "--orcs" || option == "--matches" || option == "--frame-ms" || option == "--seed" ||
           option == "--telemetry" || option == "--dragon";
}
}  // namespace

std::optional<RunnerOptions> RunnerOptions::parse(const std::vector<std::string>& arguments,
                                                  std::string& error)
{
    RunnerOptions options;
    for (std::size_t index = 0; index < arguments.size(); ++index)
    {
        const std::string& option = arguments[index];
        if (option == "--help" || option == "-h")
        {
            options.help = true;
            continue;
        }
        if (option == "--memory")
        {
            options.memory = true;
            continue;
        }
        if (!takesValue(option))
        {
            error = "unknown option: " + option;
            return std::nullopt;
        }
        if (index + 1 >= arguments.size())
        {
            error = "option " + option + " needs a value";
            return std::nullopt;
        }
        const std::string& value = arguments[++index];
        if (!readValue(option, value, options))
        {
            error = "bad value for " + option + ": '" + value + "'";
            return std::nullopt;
        }
    }
    return options;
}

std::string RunnerOptions::usage()
{
    return "Usage: QuillmarchMatchRunner [options]\n"
           "Plays whole matches of Quillmarch without a window and prints what happened.\n"
           "Run it from a folder one level below the game's Assets folder (for example build/).\n"
           "\n"
           "  --orcs N          computer players per match, 1 to 4 (default 4)\n"
           "  --matches N       matches to play one after another (default 1)\n"
           "  --frame-ms N      length of every frame in milliseconds, 1 to 1000 (default 16)\n"
           "  --seed N          seed of the game's chance: the same seed plays the same matches (default 1)\n"
           "  --telemetry FILE  write every telemetry message, one per line, to FILE\n"
           "  --dragon MODE     still: the dragon stands in the middle (default);\n"
           "                    wander: it walks, founds camps and dashes at random, from the seed\n"
           "  --memory          end each match's line with the process's resident memory\n"
           "  --help            this text\n";
}
