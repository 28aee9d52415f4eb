#include "AI/AIPlayer.h"
#include "Entities/BasePlayer.h"
#include "GameEngine/GameEngine.h"
#include "Scenes/BaseGameScene.h"
#include "Support/CommandRun.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
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

// The lines of `text` that start with `start`, each with its end of line.
std::string linesStarting(const std::string& text, const std::string& start)
{
    std::istringstream lines(text);
    std::string found;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(start, 0) == 0)
            found += line + '\n';
    return found;
}

std::string matchLines(const std::string& text)
{
    return linesStarting(text, "match ");
}

// How often each line of `text` that tells of a failure (the game's errors and warnings, and the engine
// library's own "Could not ...") was written.
std::map<std::string, int> failureLines(const std::string& text)
{
    std::istringstream lines(text);
    std::map<std::string, int> found;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("ERROR: ", 0) == 0 || line.rfind("WARNING: ", 0) == 0 || line.find("Could not") == 0)
            ++found[line];
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

// The lines of `text` that hold a match's JSON object.
std::string jsonMatches(const std::string& text)
{
    std::istringstream lines(text);
    std::string found;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("{\"match\": ", 0) == 0)
            found += line + '\n';
    return found;
}

std::string fileText(const std::string& path)
{
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

std::string writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
    return path;
}

// Every match starts afresh from its seed (the first seed + its number - 1): a run's last match plays as a
// run of its own with that seed, and worker processes change nothing, the telemetry's order included.
TEST(MatchRunnerTest, EveryMatchPlaysFromItsSeedAloneWhateverTheWorkerProcesses)
{
    const std::string options = "--orcs 3 --dragon wander --json --telemetry " + folder;
    const CommandRun oneProcess = runner(options + "-one --seed 40 --matches 3");
    const CommandRun threeProcesses = runner(options + "-three --seed 40 --matches 3 --jobs 3");
    const CommandRun alone = runner(options + "-alone --seed 42 --matches 1");
    for (const CommandRun* run : {&oneProcess, &threeProcesses, &alone})
        ASSERT_EQ(run->exitStatus, 0) << run->output;
    const std::string matches = jsonMatches(oneProcess.output);
    EXPECT_THAT(matches,
                ::testing::MatchesRegex("(\\{\"match\": [123], \"seed\": 4[012], \"parameters\": \\{\"1\": "
                                        "\"default\", \"2\": \"default\", \"3\": \"default\"\\}, "
                                        "\"winner\": [0-3], \"players\": \\[[^]]*\\]\\}\n){3}"));
    EXPECT_EQ(matches, jsonMatches(threeProcesses.output));
    EXPECT_THAT(oneProcess.output, HasSubstr("{\"total\": {\"played\": 3, \"matches\": 3"));
    const std::string lastMatch = matches.substr(matches.rfind("{\"match\": 3"));
    const std::string aloneMatch = jsonMatches(alone.output);
    EXPECT_EQ(lastMatch.substr(lastMatch.find("\"seed")), aloneMatch.substr(aloneMatch.find("\"seed")));
    // Nothing but the frame rate may differ.
    const auto telemetryOf = [](const std::string& run)
    { return std::regex_replace(fileText(folder + run), std::regex(R"("fps": "[0-9]+")"), ""); };
    const std::string telemetry = telemetryOf("-one");
    EXPECT_EQ(telemetry, telemetryOf("-three"));
    const std::string lastTelemetry = telemetryOf("-alone");
    ASSERT_GT(lastTelemetry.size(), 1000u);
    EXPECT_EQ(telemetry.substr(telemetry.size() - lastTelemetry.size()), lastTelemetry);
    for (const char* run : {"-one", "-three", "-alone"})
        std::filesystem::remove(folder + run);
}

// An empty parameter file is today's orc (a comment, however long, sets nothing); a set's values reach the
// orc of its slot only.
TEST(MatchRunnerTest, AParameterSetPlaysTheOrcOfItsSlot)
{
    // Longer than inih reads of a line, so that what follows would be a line of its own if it were cut.
    std::string comment = "; today's orc ";
    comment.resize(199, '.');
    const std::string empty = writeFile(folder + "-calm.ini", comment + "camp_threshold = 1000\n");
    const std::string hoarder = writeFile(folder + "-hoarder.ini", "camp_threshold = 1000\n# never founds\n");
    const std::string options = "--orcs 2 --matches 3 --seed 5 --json";
    const CommandRun today = runner(options);
    const CommandRun calm = runner(options + " --orc-params 1=" + empty + " --orc-params 2=" + empty);
    const CommandRun hoarding = runner(options + " --orc-params 2=" + hoarder);
    const std::string named =
        std::regex_replace(jsonMatches(calm.output), std::regex(R"("[^"]*-calm")"), R"("default")");
    EXPECT_EQ(named, jsonMatches(today.output));
    EXPECT_THAT(hoarding.output, HasSubstr(R"("parameters": {"1": "default", "2": ")" +
                                           std::filesystem::path(hoarder).stem().string() + "\"}"));
    const std::string played = jsonMatches(hoarding.output);
    const auto count = [&played](const char* pattern)
    {
        const std::regex expression(pattern);
        return std::distance(std::sregex_iterator(played.begin(), played.end(), expression), {});
    };
    EXPECT_EQ(count(R"("id": 1, [^}]*"founded": [1-9])"), 3) << played;
    EXPECT_EQ(count(R"("id": 2, [^}]*"founded": 0,)"), 3) << played;
    std::filesystem::remove(empty);
    std::filesystem::remove(hoarder);
}

TEST(MatchRunnerTest, RefusesAWrongParameterFileNamingItsLineAndKey)
{
    for (const auto& [text, said] : std::vector<std::pair<std::string, std::string>>{
             {"rival_range = 25\nrival_rang = 3\n", "line 2: key 'rival_rang': unknown key"},
             // However long a line, the lines are counted as the file has them, and a value cut short by
             // inih's limit is refused.
             {"# " + std::string(250, 'x') + "\nrival_rang = 3\n", "line 2: key 'rival_rang': unknown key"},
             {"rival_range = 25" + std::string(200, ' ') + "1\n",
              "line 1: key 'rival_range': the line is longer than 199 characters"},
             {"camp_threshold = 6.5\n", "line 1: key 'camp_threshold': '6.5' is not a whole number"},
             {"\ndash_speed = fast\n", "line 2: key 'dash_speed': 'fast' is not a number from 0 to 10"},
             {"blocked_share = 2\n", "line 1: key 'blocked_share': '2' is not a number from 0 to 1"},
             {"detour_length = 4\ndetour_length = 5\n", "line 2: key 'detour_length': given twice"},
             {"[orc]\ncapture_range = 30\n", "line 2: section [orc]: the file takes no sections"},
             {"capture_range 30\n", "line 1: not a 'key = value' line"}})
    {
        const std::string file = writeFile(folder + "-wrong.ini", text);
        const CommandRun run = runner("--orcs 2 --orc-params 2=" + file);
        EXPECT_EQ(run.exitStatus, 2) << text;
        EXPECT_THAT(run.output, ::testing::StartsWith("ERROR: " + file + " " + said));
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    }
    std::filesystem::remove(folder + "-wrong.ini");
    for (const auto& [arguments, said] :
         {std::pair("--orc-params 1=/nowhere.ini", "ERROR: /nowhere.ini: cannot be read\n"),
          // Neither a folder nor a file that never ends is a parameter file.
          std::pair("--orc-params 1=/", "ERROR: /: cannot be read\n"),
          std::pair("--orc-params 1=/dev/zero", "ERROR: /dev/zero: cannot be read\n"),
          std::pair("--orcs 2 --orc-params 3=/nowhere.ini",
                    "ERROR: --orc-params 3=/nowhere.ini: slot 3 but only 2 orcs play\n")})
    {
        const CommandRun run = runner(arguments);
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(run.output, said);
    }
}

TEST(MatchRunnerTest, RefusesABadOptionWithOneLineNamingItAndAFailureStatus)
{
    for (const auto& [arguments, named] :
         {std::pair("--orcs 5", "--orcs"), std::pair("--matches -1", "--matches"),
          std::pair("--frame-ms 16ms", "--frame-ms"), std::pair("--frame-ms 16,-1", "--frame-ms"),
          std::pair("--frame-ms 0,0.1", "--frame-ms"), std::pair("--long-frame 0", "--long-frame"),
          std::pair("--long-frame-at 100", "--long-frame"), std::pair("--seed", "--seed"),
          std::pair("--dragon fly", "--dragon"), std::pair("--colour red", "--colour"),
          std::pair("--telemetry ''", "--telemetry"), std::pair("--jobs 0", "--jobs"),
          std::pair("--orc-params 5=a.ini", "--orc-params"), std::pair("--orc-params a.ini", "--orc-params")})
    {
        const CommandRun run = runner(arguments);
        EXPECT_EQ(run.exitStatus, 2) << arguments;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
        EXPECT_THAT(run.output, HasSubstr(named));
    }
}

// Without the level or the dragon no match can be played: the menu comes back and the runner gives up.
// Whatever is missing is said once, however many orcs, units or camps would load it, and nothing is
// tried again every frame: an orc that cannot found a camp gathers on and tries again only a while later.
TEST(MatchRunnerTest, WithoutAnAssetSaysSoOncePlaysWhatItCanAndNeverCrashes)
{
    for (const auto& [file, exitStatus, line] :
         {std::tuple("Models/dragon.obj", 1, "ERROR: The dragon's model could not be loaded"),
          std::tuple("Models/orc.obj", 0,
                     "ERROR: The orc's model could not be loaded: ../Assets/Models/orc.obj"),
          std::tuple("Models/orc.png", 0, "WARNING: Texture could not be loaded: ../Assets/Models/orc.png"),
          std::tuple("Models/simpleCube.obj", 0, "WARNING: Could not create unit"),
          std::tuple("Models/FlowerBurst.png", 0, "WARNING: Texture could not be loaded"),
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
        const CommandRun run = runner("--orcs 4", folder + "/run");
        EXPECT_FALSE(run.killedBySignal) << file;
        EXPECT_EQ(run.exitStatus, exitStatus) << run.output;
        EXPECT_THAT(run.output, HasSubstr(line));
        EXPECT_EQ(matchLines(run.output).empty(), exitStatus != 0) << run.output;
        const std::map<std::string, int> failures = failureLines(run.output);
        EXPECT_LT(failures.size(), 20u) << file;
        for (const auto& [failure, times] : failures)
            EXPECT_EQ(times, 1) << file << ": " << failure;
        const auto attemptsOf = [&run](const std::string& who)
        {
            const std::string attempts = linesStarting(run.output, "MESSAGE: Create State Started" + who);
            return static_cast<std::size_t>(std::count(attempts.begin(), attempts.end(), '\n'));
        };
        // Each orc starts to found a camp at most once per retry delay, through the whole match.
        const auto mostAttempts = static_cast<std::size_t>(
            1 + (BaseGameScene::matchLength + BaseGameScene::returnDelay) / AIPlayer::campRetryDelay);
        for (int orc = 1; orc <= 4; ++orc)
            EXPECT_LE(attemptsOf(", Player = " + std::to_string(orc)), mostAttempts) << file;
        // Without camps nobody stands in a ring, so every attempt to found one is about the missing model:
        // its start, the fall back to fetching, and the failure lines. An orc tries again a while later and
        // soon gives up for the match.
        if (std::string(file) == "Models/newCamp.obj")
        {
            for (int orc = 1; orc <= 4; ++orc)
                EXPECT_EQ(attemptsOf(", Player = " + std::to_string(orc)),
                          static_cast<std::size_t>(AIPlayer::foundingFailuresBeforeGivingUp))
                    << run.output;
            EXPECT_LT(2 * attemptsOf("") + failures.size(), 20u) << run.output;
        }
    }
    std::filesystem::remove_all(folder);
}

// A frame-ms option, and the longest frame it makes in whole ms (the game's timer counts whole ms).
struct Pace
{
    const char* frameMs;
    double longest;
};

void PrintTo(const Pace& pace, std::ostream* out)
{
    *out << "--frame-ms " << pace.frameMs;
}

class FrameRateTest : public ::testing::TestWithParam<Pace>
{
};

// Whole matches at any frame rate, frames of no time among them. The runner sees a dash, a cooldown or a
// stun from the end of the frame that began it to the end of the frame that ended it, and each lasts its
// time to within one frame; the orcs still found or take camps, and none stands still long or leaves the
// floor.
TEST_P(FrameRateTest, DashesCooldownsAndStunsLastTheirTimeAndTheOrcsPlayOn)
{
    const auto& [frameMs, longest] = GetParam();
    const CommandRun run =
        runner(std::string("--orcs 4 --dragon wander --seed 5 --durations --frame-ms ") + frameMs);
    ASSERT_EQ(run.exitStatus, 0) << run.output;
    const std::string line = matchLines(run.output);
    const std::regex timed(R"(dash (none|([0-9.]+)-([0-9.]+)) cooldown (none|([0-9.]+)-([0-9.]+)) )"
                           R"(stun (none|([0-9.]+)-([0-9.]+)) ms)");
    const auto within = [longest = longest](const std::string& ms, double from, double to)
    { return !ms.empty() && std::stod(ms) > from - longest && std::stod(ms) <= to + longest; };
    int players = 0, cooldowns = 0, stuns = 0;
    double longestDash = 0.0;
    for (std::sregex_iterator part(line.begin(), line.end(), timed), end; part != end; ++part, ++players)
    {
        const std::smatch& found = *part;
        // A dash cut short by a hit is shorter: none is longer, and the longest of all ran its course.
        if (found[1] != "none")
        {
            EXPECT_TRUE(within(found[3], 0.0, BasePlayer::dashDuration)) << line;
            longestDash = std::max(longestDash, std::stod(found[3]));
        }
        // The shortest and the longest.
        for (const int end : {5, 6})
            EXPECT_TRUE(found[4] == "none" ||
                        within(found[end], BasePlayer::cooldownDuration, BasePlayer::cooldownDuration))
                << line;
        for (const int end : {8, 9})
            EXPECT_TRUE(found[7] == "none" ||
                        within(found[end], BasePlayer::stunDuration + longest, BasePlayer::stunDuration))
                << line;
        cooldowns += found[4] != "none" ? 1 : 0;
        stuns += found[7] != "none" ? 1 : 0;
    }
    EXPECT_EQ(players, 5) << line;
    EXPECT_TRUE(
        within(std::to_string(longestDash), BasePlayer::dashDuration + longest, BasePlayer::dashDuration))
        << line;
    EXPECT_TRUE(cooldowns > 0 && stuns > 0) << line;
    const std::regex orcPart(R"(founded (\d+) captured (\d+) still ([0-9.e+]+) ms off-floor (\d+))");
    int orcs = 0;
    for (std::sregex_iterator part(line.begin(), line.end(), orcPart), end; part != end; ++part, ++orcs)
    {
        const std::smatch& found = *part;
        EXPECT_GE(std::stoi(found[1]) + std::stoi(found[2]), 1) << line;
        EXPECT_LE(std::stof(found[3]), 3000.0f) << line;
        EXPECT_EQ(found[4], "0") << line;
    }
    EXPECT_EQ(orcs, 4) << line;
}

INSTANTIATE_TEST_SUITE_P(Paces, FrameRateTest,
                         ::testing::Values(Pace{"16", 16}, Pace{"0.6", 1}, Pace{"8,16,33", 33},
                                           Pace{"100", 100}),
                         [](const ::testing::TestParamInfo<Pace>& info)
                         { return "Frames" + std::to_string(info.index); });

// A frame of 30 s (a machine suspended) moves the game on by the engine's longest step, exactly as a frame
// of that step does: no ring, score or position changes by more than that step allows, though the match
// clock takes the whole stall and still ends the match.
TEST(MatchRunnerTest, ALongFrameMovesTheGameOnByTheLongestStepOnly)
{
    const std::string step = std::to_string(GameEngine::longestStep);
    std::string changed[2];
    int run = 0;
    for (const std::string& length : {std::string("30000"), step})
    {
        const CommandRun played =
            runner("--orcs 4 --seed 3 --long-frame " + length + " --long-frame-at 45000");
        ASSERT_EQ(played.exitStatus, 0) << played.output;
        std::smatch found;
        const std::string line = matchLines(played.output);
        ASSERT_TRUE(std::regex_search(line, found, std::regex("\\| long frame " + length + " ms: (.*)")))
            << line;
        changed[run++] = found[1];
    }
    EXPECT_EQ(changed[0], changed[1]);
    std::smatch moved;
    ASSERT_TRUE(std::regex_search(changed[0], moved, std::regex("^game " + step + " ms, .*move ([0-9.]+)")))
        << changed[0];
    EXPECT_GT(std::stof(moved[1]), 0.0f);
}
}  // namespace
