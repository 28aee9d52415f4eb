#include "Support/CommandRun.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace
{
using ::testing::HasSubstr;

// A folder of the test's own, with a folder `run` in it to start the runner from.
const std::string folder =
    (std::filesystem::temp_directory_path() / ("quillmarch-runner-" + std::to_string(::getpid()))).string();

// The runner, run from `where` (the game reads ../Assets from there).
CommandRun runner(const std::string& arguments, const std::string& where = ".")
{
    return CommandRun::of("cd '" + where + "' && " + QUILLMARCH_MATCH_RUNNER + " " + arguments);
}

// The lines of `text` that start with "match ".
std::string matchLines(const std::string& text)
{
    std::istringstream lines(text);
    std::string found;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("match ", 0) == 0)
            found += line + '\n';
    return found;
}

TEST(MatchRunnerTest, TheSameSeedPlaysTheSameMatchesAndSendsTheSameTelemetry)
{
    std::string summaries[2], telemetry[2];
    for (int run = 0; run < 2; ++run)
    {
        const std::string file = folder + "-" + std::to_string(run);
        const CommandRun played =
            runner("--orcs 3 --matches 2 --dragon wander --seed 31 --telemetry " + file);
        ASSERT_EQ(played.exitStatus, 0) << played.output;
        summaries[run] = matchLines(played.output);
        std::stringstream text;
        text << std::ifstream(file).rdbuf();
        std::filesystem::remove(file);
        // The one number that may differ between runs: the frame rate.
        telemetry[run] = std::regex_replace(text.str(), std::regex(R"("fps": "[0-9]+")"), R"("fps": "")");
    }
    EXPECT_THAT(summaries[0], ::testing::MatchesRegex(
                                  "(match [12]: winner [0-3]( \\| id [0-3] score [0-9]+ [^|]*){4}){2}"));
    EXPECT_EQ(summaries[0], summaries[1]);
    EXPECT_EQ(telemetry[0], telemetry[1]);
    // Every message the observer would have had: the distance map first, then the players and the reports.
    EXPECT_EQ(telemetry[0].rfind(R"({ "type": "influence", "widthInTiles" : "21")", 0), 0u);
    EXPECT_THAT(telemetry[0], HasSubstr(R"({ "type": "player", "id": "3")"));
}

TEST(MatchRunnerTest, RefusesABadOptionWithOneLineNamingItAndAFailureStatus)
{
    for (const auto& [arguments, named] :
         {std::pair("--orcs 5", "--orcs"), std::pair("--matches -1", "--matches"),
          std::pair("--frame-ms 16ms", "--frame-ms"), std::pair("--seed", "--seed"),
          std::pair("--dragon fly", "--dragon"), std::pair("--colour red", "--colour"),
          std::pair("--telemetry ''", "--telemetry")})
    {
        const CommandRun run = runner(arguments);
        EXPECT_EQ(run.exitStatus, 2) << arguments;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
        EXPECT_THAT(run.output, HasSubstr(named));
    }
}

// Without the level or the dragon no match can be played: the menu comes back and the runner gives up.
TEST(MatchRunnerTest, WithoutAModelSaysSoPlaysWhatItCanAndNeverCrashes)
{
    for (const auto& [file, exitStatus, line] :
         {std::tuple("Models/dragon.obj", 1, "ERROR: The dragon's model could not be loaded"),
          std::tuple("Models/orc.obj", 0, "ERROR: The orc's model could not be loaded"),
          std::tuple("Models/simpleCube.obj", 0, "WARNING: Could not create unit"),
          std::tuple("Models/newCamp.obj", 0, "ERROR: Mesh could not be loaded"),
          std::tuple("Models/Arena2/ARENA_MESH.obj", 1, "ERROR: Level could not be loaded"),
          std::tuple("Models/Arena2/ARENA_UNIT.obj", 1, "ERROR: Level could not be loaded")})
    {
        // The assets as links to the real files, but for one.
        ASSERT_EQ(CommandRun::of("rm -rf '" + folder + "' && mkdir -p '" + folder +
                                 "/run' && cp -rs \"$PWD/../Assets\" '" + folder + "/Assets' && rm '" +
                                 folder + "/Assets/" + file + "'")
                      .exitStatus,
                  0);
        const CommandRun run = runner("--orcs 2", folder + "/run");
        EXPECT_FALSE(run.killedBySignal) << file;
        EXPECT_EQ(run.exitStatus, exitStatus) << run.output;
        EXPECT_THAT(run.output, HasSubstr(line));
        EXPECT_EQ(matchLines(run.output).empty(), exitStatus != 0) << run.output;
    }
    std::filesystem::remove_all(folder);
}
}  // namespace
