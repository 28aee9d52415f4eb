#include "GameEngine/SettingsFile.h"
#include "Support/ConsoleCapture.h"

#include <cstdlib>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;
using testing::Contains;
using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::HasSubstr;

class SettingsFileTest : public testing::Test
{
protected:
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    static std::string contentOf(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
    void write(const std::string& content) const { std::ofstream(path, std::ios::binary) << content; }
    std::vector<std::string> filesInFolder() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
            names.push_back(fs::relative(entry.path(), folder).string());
        std::sort(names.begin(), names.end());
        return names;
    }

    const fs::path folder = fs::temp_directory_path() / ("quillmarch-settings-" + std::to_string(getpid()));
    const fs::path path = folder / "config" / "quillmarch" / "settings.ini";
};

TEST_F(SettingsFileTest, LivesUnderTheDesktopsConfigFolderOrElseInTheHomesDotConfig)
{
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string keep = savedConfig ? savedConfig : "";
    setenv("HOME", "/home/player", 1);
    for (const auto& [config, expected] :
         {std::pair("/tmp/elsewhere", "/tmp/elsewhere/quillmarch/settings.ini"),
          std::pair("", "/home/player/.config/quillmarch/settings.ini"),
          // The desktop's rules ignore a relative folder.
          std::pair("relative/folder", "/home/player/.config/quillmarch/settings.ini")})
    {
        setenv("XDG_CONFIG_HOME", config, 1);
        EXPECT_EQ(SettingsFile::defaultPath(), fs::path(expected)) << config;
    }
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsFile::defaultPath(), fs::path("/home/player/.config/quillmarch/settings.ini"));
    if (savedConfig)
        setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
}

// Written into folders that do not exist yet, read back the same, through a temporary file that is gone.
TEST_F(SettingsFileTest, WhatIsSavedIsReadBackAndAMissingFileIsNoProblem)
{
    SettingsFile file(path);
    ConsoleCapture console;
    EXPECT_EQ(file.read(), PlayerSettings());
    EXPECT_FALSE(fs::exists(path.parent_path()));
    for (const PlayerSettings& chosen :
         {PlayerSettings{0, 35, 2.5, true, 144}, PlayerSettings{100, 0, 0.1, false, 60}, PlayerSettings{}})
    {
        ASSERT_TRUE(file.save(chosen));
        EXPECT_EQ(SettingsFile(path).read(), chosen) << contentOf(path);
    }
    EXPECT_TRUE(console.reportLines().empty());
    EXPECT_THAT(filesInFolder(),
                ElementsAre("config", "config/quillmarch", "config/quillmarch/settings.ini"));
    EXPECT_THAT(contentOf(path),
                HasSubstr("\nmusic_volume = 100  ; music volume in percent, 0 (silent) to 100\n"));
}

// Each kind of bad input: one warning naming the file and line, that value at its default, the rest used,
// the file as it was; saved, every line the game does not know stays.
struct BadInput
{
    const char* what;
    std::string content;
    std::vector<std::string> warnings;
    PlayerSettings read;
    // What must stay as it is once the player saves.
    std::vector<std::string> kept;
};

class BadInputTest : public SettingsFileTest, public testing::WithParamInterface<BadInput>
{
};

TEST_P(BadInputTest, GetsOneWarningPerLineTheRestIsUsedAndNothingIsLost)
{
    const BadInput& input = GetParam();
    fs::create_directories(path.parent_path());
    write(input.content);
    SettingsFile file(path);
    ConsoleCapture console;
    EXPECT_EQ(file.read(), input.read);
    std::vector<std::string> expected;
    for (const std::string& warning : input.warnings)
        expected.push_back("WARNING: " + path.string() + ":" + warning);
    EXPECT_THAT(console.reportLines(), ElementsAreArray(expected));
    EXPECT_EQ(contentOf(path), input.content);

    PlayerSettings changed = input.read;
    changed.effectsVolume = 7;
    changed.maxFps = 60;
    ASSERT_TRUE(file.save(changed));
    EXPECT_EQ(SettingsFile(path).read(), changed);
    std::vector<std::string> saved;
    std::istringstream lines(contentOf(path));
    for (std::string line; std::getline(lines, line);)
        saved.push_back(line);
    for (const std::string& line : input.kept)
        EXPECT_THAT(saved, Contains(line));
    EXPECT_THAT(saved, Contains("effects_volume = 7  ; sound effects volume in percent, 0 (silent) to 100"));
}

PlayerSettings with(int music, int effects = 100)
{
    PlayerSettings settings;
    settings.musicVolume = music;
    settings.effectsVolume = effects;
    return settings;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BadInputTest,
    testing::Values(
        BadInput{"NotAName",
                 "music_volume = 40\nthis line means nothing\neffects_volume = 20\n",
                 {"2: does not read as name = value; kept as it is"},
                 with(40, 20),
                 {"this line means nothing"}},
        BadInput{
            "OutOfRange",
            "; my own note\nmusic_volume = 150\nmouse_sensitivity = 9\nmax_fps = 75\neffects_volume = 30\n",
            {"2: music_volume = 150 is not a whole number from 0 to 100; using 100",
             "3: mouse_sensitivity = 9 is not a number from 0.1 to 5; using 1",
             "4: max_fps = 75 is not 0 (off), 60, 120 or 144; using 0"},
            with(100, 30),
            {"; my own note"}},
        BadInput{"NotANumber",
                 "music_volume = loud\nfullscreen = maybe\nmusic_volume = 12\n",
                 {"1: music_volume = loud is not a whole number from 0 to 100; using 100",
                  "2: fullscreen = maybe is not true or false; using false"},
                 with(12),
                 {}},
        BadInput{"UnknownNames",
                 "colour = blue\nmusic_volume = 5\n[video]\nmusic_volume = 3\nbrightness = " +
                     std::string(300, '9') + "\n",
                 {"1: unknown setting \"colour\"; kept as it is",
                  "4: unknown setting \"music_volume\" in [video]; kept as it is",
                  "5: unknown setting \"brightness\" in [video]; kept as it is"},
                 with(5),
                 {"colour = blue", "[video]", "music_volume = 3", "brightness = " + std::string(300, '9')}},
        BadInput{"EveryLineThatDoesNotRead",
                 "stray words\nmusic_volume = 40\n[broken\neffects_volume = 20\n",
                 {"1: does not read as name = value; kept as it is",
                  "3: does not read as name = value; kept as it is"},
                 with(40, 20),
                 {"stray words", "[broken"}},
        // Without a setting before them, the settings saved go first, where nothing behind may change.
        BadInput{"IndentedLineWithoutSettings",
                 "  stray words\n[video]\nmusic_volume = 3\n",
                 {"1: does not read as name = value; kept as it is",
                  "3: unknown setting \"music_volume\" in [video]; kept as it is"},
                 with(100),
                 {"  stray words", "[video]", "music_volume = 3"}},
        BadInput{"ByteOrderMarkBeforeASection",
                 "\xEF\xBB\xBF[video]\nmusic_volume = 3\n",
                 {"2: unknown setting \"music_volume\" in [video]; kept as it is"},
                 with(100),
                 {"[video]", "music_volume = 3"}},
        BadInput{
            "IndentedLineAfterANamelessSetting",
            "= 5\n  stray words\n",
            {"1: unknown setting \"\"; kept as it is", "2: does not read as name = value; kept as it is"},
            with(100),
            {"= 5", "  stray words"}}),
    [](const testing::TestParamInfo<BadInput>& info) { return info.param.what; });

// A folder where the file should be, or a file far too large to be one: it cannot be read, so it is never
// replaced.
TEST_F(SettingsFileTest, AFileThatCannotBeReadIsReportedOnceAndNeverReplaced)
{
    const std::string huge(std::size_t{2} << 20, ';');
    for (const bool folderInTheWay : {true, false})
    {
        fs::create_directories(path.parent_path());
        if (folderInTheWay)
            fs::create_directories(path / "inside");
        else
            write(huge);
        SettingsFile file(path);
        ConsoleCapture console;
        EXPECT_EQ(file.read(), PlayerSettings());
        EXPECT_FALSE(file.save(with(10)));
        EXPECT_THAT(
            console.reportLines(),
            ElementsAre("WARNING: Cannot read the settings file " + path.string() + ": " +
                            (folderInTheWay ? "Is a directory" : "File too large") +
                            "; playing with the default settings, and the file is not replaced",
                        "WARNING: The settings are not saved: " + path.string() +
                            " could not be read at start, and replacing it would lose what it holds"));
        if (folderInTheWay)
            EXPECT_TRUE(fs::is_directory(path / "inside"));
        else
            EXPECT_EQ(fs::file_size(path), huge.size());
        fs::remove_all(path);
    }
}

// A settings file kept elsewhere and linked into place stays linked; a folder that cannot be made is
// reported.
TEST_F(SettingsFileTest, SavesThroughALinkAndReportsAFolderItCannotMake)
{
    const fs::path kept = folder / "dotfiles" / "settings.ini";
    fs::create_directories(kept.parent_path());
    fs::create_directories(path.parent_path());
    std::ofstream(kept) << "music_volume = 20\n";
    fs::create_symlink(kept, path);
    SettingsFile linked(path);
    EXPECT_EQ(linked.read(), with(20));
    ASSERT_TRUE(linked.save(with(60)));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(SettingsFile(kept).read(), with(60));

    std::ofstream(folder / "a file") << "";
    SettingsFile blocked(folder / "a file" / "quillmarch" / "settings.ini");
    ConsoleCapture console;
    EXPECT_FALSE(blocked.save(with(60)));
    EXPECT_THAT(console.reportLines(),
                ElementsAre(HasSubstr("ERROR: Could not save the settings: cannot make the folder " +
                                      (folder / "a file" / "quillmarch").string())));
}
}  // namespace
