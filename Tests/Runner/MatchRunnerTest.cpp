#include "Support/CommandRun.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace
{
namespace fs = std::filesystem;
using ::testing::HasSubstr;

// The runner, run from `folder` (the game reads ../Assets from there).
CommandRun runner(const std::string& arguments, const fs::path& folder = fs::current_path())
{
    return CommandRun::of("cd '" + folder.string() + "' && " + QUILLMARCH_MATCH_RUNNER + " " + arguments);
}

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& start)
{
    std::vector<std::string> found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(start, 0) == 0)
            found.push_back(line);
    return found;
}

// The telemetry file with the one number that may differ between runs, the frame rate, blanked.
std::string telemetryWithoutFrameRate(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return std::regex_replace(text.str(), std::regex(R"("fps": "[0-9]+")"), R"("fps": "")");
}

class TemporaryFolder
{
public:
    TemporaryFolder() : path(fs::temp_directory_path() / ("quillmarch-runner-" + std::to_string(::getpid())))
    {
        fs::remove_all(path);
        fs::create_directories(path / "run");
    }
    ~TemporaryFolder() { fs::remove_all(path); }
    const fs::path path;
};

TEST(MatchRunnerTest, TheSameSeedPlaysTheSameMatchesAndSendsTheSameTelemetry)
{
    TemporaryFolder folder;
    const std::string arguments = "--orcs 3 --matches 2 --dragon wander --seed 31 --telemetry ";
    const CommandRun first = runner(arguments + (folder.path / "first.txt").string());
    const CommandRun second = runner(arguments + (folder.path / "second.txt").string());
    ASSERT_EQ(first.exitStatus, 0) << first.output;
    const std::vector<std::string> summaries = linesStartingWith(first.output, "match ");
    ASSERT_EQ(summaries.size(), 2u) << first.output;
    EXPECT_THAT(summaries[1],
                ::testing::MatchesRegex("match 2: winner [0-3]( \\| id [0-3] score [0-9]+ .*){4}"));
    EXPECT_EQ(summaries, linesStartingWith(second.output, "match "));
    EXPECT_EQ(linesStartingWith(first.output, "total: ").size(), 1u);

    const std::string telemetry = telemetryWithoutFrameRate(folder.path / "first.txt");
    EXPECT_EQ(telemetry, telemetryWithoutFrameRate(folder.path / "second.txt"));
    // The match's first word is its distance map; then the players and the match report while it runs.
    EXPECT_EQ(
        telemetry.rfind(R"({ "type": "influence", "widthInTiles" : "21", "heightInTiles" : "21"  ,)", 0), 0u);
    EXPECT_FALSE(linesStartingWith(telemetry, R"({ "type": "player", "id": "3")").empty());
    EXPECT_FALSE(linesStartingWith(telemetry, R"({ "type": "stats")").empty());
}

struct BadCommandLine
{
    const char* arguments;
    const char* named;
};

class MatchRunnerRefusesTest : public ::testing::TestWithParam<BadCommandLine>
{
};

TEST_P(MatchRunnerRefusesTest, WithOneLineNamingTheOptionAndAFailureStatus)
{
    const CommandRun run = runner(GetParam().arguments);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    EXPECT_THAT(run.output, HasSubstr(GetParam().named));
}

INSTANTIATE_TEST_SUITE_P(BadOptions, MatchRunnerRefusesTest,
                         ::testing::Values(BadCommandLine{"--orcs 5", "--orcs"},
                                           BadCommandLine{"--orcs 0", "--orcs"},
                                           BadCommandLine{"--matches -1", "--matches"},
                                           BadCommandLine{"--frame-ms 16ms", "--frame-ms"},
                                           BadCommandLine{"--seed", "--seed"},
                                           BadCommandLine{"--dragon fly", "--dragon"},
                                           BadCommandLine{"--colour red", "--colour"}));

struct MissingModel
{
    const char* file;
    int exitStatus;
    const char* line;
};

class MatchRunnerWithoutAModelTest : public ::testing::TestWithParam<MissingModel>
{
};

// A copy of the assets folder (links to the real files) without one model.
TEST_P(MatchRunnerWithoutAModelTest, SaysSoPlaysWhatItCanAndNeverCrashes)
{
    TemporaryFolder folder;
    const fs::path assets = fs::current_path().parent_path() / "Assets";
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(assets))
    {
        const fs::path copy = folder.path / "Assets" / fs::relative(entry.path(), assets);
        if (entry.is_directory())
            fs::create_directories(copy);
        else if (fs::relative(entry.path(), assets) != GetParam().file)
            fs::create_symlink(entry.path(), copy);
    }
    const CommandRun run = runner("--orcs 2", folder.path / "run");
    EXPECT_FALSE(run.killedBySignal);
    EXPECT_EQ(run.exitStatus, GetParam().exitStatus) << run.output;
    EXPECT_THAT(run.output, HasSubstr(GetParam().line));
    const auto matches = linesStartingWith(run.output, "match ").size();
    EXPECT_EQ(matches, GetParam().exitStatus == 0 ? 1u : 0u) << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    Models, MatchRunnerWithoutAModelTest,
    ::testing::Values(MissingModel{"Models/dragon.obj", 1, "ERROR: The dragon's model could not be loaded"},
                      MissingModel{"Models/orc.obj", 0, "ERROR: The orc's model could not be loaded"},
                      MissingModel{"Models/simpleCube.obj", 0, "WARNING: Could not create unit"},
                      MissingModel{"Models/newCamp.obj", 0, "ERROR: Mesh could not be loaded"}));
}  // namespace
