#include "RunnerOptions.h"

#include "GameEngine/CommandLine.h"
#include "OrcParameterFile.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>

namespace
{
// "SLOT=FILE" split in two; nothing when it is not of that form.
std::optional<std::pair<int, std::string>> slotAndFile(const std::string& text)
{
    const std::size_t equals = text.find('=');
    if (equals != 1 || text.size() < 3 || text[0] < '1' || text[0] > '0' + RunnerOptions::mostOrcs)
        return std::nullopt;
    return std::pair(text[0] - '0', text.substr(2));
}

// Reads every SLOT=FILE; false, with one line on `err`, at the first slot or file that is wrong.
bool readParameterSets(const std::vector<std::string>& given, RunnerOptions& options, std::ostream& err)
{
    for (const std::string& text : given)
    {
        const auto [slot, file] = *slotAndFile(text);
        if (slot > options.orcs)
        {
            err << "ERROR: --orc-params " << text << ": slot " << slot << " but only " << options.orcs
                << " orcs play\n";
            return false;
        }
        if (options.orcParameters.count(slot))
        {
            err << "ERROR: --orc-params: slot " << slot << " given twice\n";
            return false;
        }
        std::string error;
        const std::optional<OrcParameters> parameters = OrcParameterFile::read(file, error);
        if (!parameters)
        {
            err << "ERROR: " << error << '\n';
            return false;
        }
        options.orcParameters[slot] = {std::filesystem::path(file).stem().string(), *parameters};
    }
    return true;
}
}  // namespace

std::vector<int> RunnerOptions::numbers() const
{
    std::vector<int> all;
    for (int number = 1; number <= matches; ++number)
        all.push_back(number);
    return all;
}

std::string RunnerOptions::setNameOf(int slot) const
{
    const auto set = orcParameters.find(slot);
    return set == orcParameters.end() ? defaultSetName : set->second.name;
}

std::optional<RunnerOptions> RunnerOptions::read(int argc, const char* const argv[], int& exitStatus)
{
    CLI::App app("Plays whole matches of Quillmarch without a window and prints what happened.\n"
                 "Run it from a folder one level below the game's Assets folder (for example build/).",
                 command);
    CommandLine::addVersionFlag(app);
    RunnerOptions options;
    app.add_option("--orcs", options.orcs, "Computer players per match, 1 to 4")
        ->check(CLI::Range(fewestOrcs, mostOrcs).description(""))
        ->type_name("N")
        ->capture_default_str();
    app.add_option("--matches", options.matches, "Matches to play one after another")
        ->check(CLI::Range(1, mostMatches).description(""))
        ->type_name("N")
        ->capture_default_str();
    app.add_option("--frame-ms", options.frameMs,
                   "Length of every frame in milliseconds, 0 to 1000, fractions too (the game's timer counts "
                   "whole ms); several, as in 0,0,1,0,2, follow one another in turn")
        ->check(CLI::Validator(
            [](const std::string& text)
            {
                std::istringstream reading(text);
                double length = -1.0;
                const bool read = static_cast<bool>(reading >> length) && reading.peek() == EOF;
                return read && length >= 0.0 && length <= longestFrameMs
                           ? std::string()
                           : text + " is no frame length from 0 to 1000 ms";
            },
            ""))
        ->delimiter(',')
        ->type_name("MS[,MS...]")
        ->default_str("16");
    CLI::Option* longFrame =
        app.add_option("--long-frame", options.longFrameMs,
                       "Insert one frame this long (in ms) into each match, as a stalled machine would")
            ->check(CLI::Range(1U, longestLongFrameMs).description(""))
            ->type_name("MS");
    app.add_option("--long-frame-at", options.longFrameAtMs,
                   "How far into each match the long frame comes, in ms")
        ->check(CLI::Range(0U, longestLongFrameMs).description(""))
        ->needs(longFrame)
        ->type_name("MS")
        ->capture_default_str();
    app.add_flag("--durations", options.durations,
                 "End each player's part with the shortest and longest dash, cooldown and stun it had, in ms "
                 "of game time");
    app.add_option("--seed", options.seed,
                   "Seed of the game's chance in the first match; match N plays as a run of its own with "
                   "seed + N - 1 would")
        ->type_name("N")
        ->capture_default_str();
    app.add_option("--telemetry", options.telemetryFile,
                   "Write every telemetry message, one per line, to FILE")
        ->type_name("FILE")
        ->check([](const std::string& file) { return file.empty() ? "a file name" : ""; });
    const std::map<std::string, Dragon> dragons{{"still", Dragon::still}, {"wander", Dragon::wander}};
    std::string dragon = "still";
    app.add_option("--dragon", dragon,
                   "still: the dragon stands in the middle; wander: it walks, founds camps and dashes at "
                   "random, from the seed")
        ->check(CLI::IsMember(dragons).description(""))
        ->type_name("still|wander")
        ->capture_default_str();
    app.add_flag("--memory", options.memory, "End each match's line with the process's resident memory");
    std::vector<std::string> parameterSets;
    app.add_option("--orc-params", parameterSets,
                   "The orc of SLOT (its id, 1 to 4) plays by the parameter set in the INI FILE")
        ->type_name("SLOT=FILE")
        ->check([](const std::string& text)
                { return slotAndFile(text) ? "" : "SLOT=FILE with SLOT from 1 to 4"; });
    app.add_option("--jobs", options.jobs, "Worker processes playing the matches; the output is the same")
        ->check(CLI::Range(1, mostJobs).description(""))
        ->type_name("N")
        ->capture_default_str();
    app.add_flag("--json", options.json,
                 "One JSON object per match and one for the total on standard output; the game's log "
                 "goes to standard error");
    app.add_flag("--check", options.check, "Read the options and parameter files, play nothing");
    app.callback(
        [&options]
        {
            if (options.meanFrameMs() < shortestMeanFrameMs)
                throw CLI::ValidationError("--frame-ms", "the frames must last at least 0.1 ms on average");
        });
    if (const std::optional<int> status = CommandLine::parse(app, argc, argv, std::cout, std::cerr))
    {
        exitStatus = *status;
        return std::nullopt;
    }
    options.dragon = dragons.at(dragon);
    if (!readParameterSets(parameterSets, options, std::cerr))
    {
        exitStatus = CommandLine::badUsageStatus;
        return std::nullopt;
    }
    if (options.check)
    {
        exitStatus = 0;
        return std::nullopt;
    }
    return options;
}

double RunnerOptions::meanFrameMs() const
{
    double total = 0.0;
    for (double length : frameMs)
        total += length;
    return frameMs.empty() ? 0.0 : total / static_cast<double>(frameMs.size());
}
