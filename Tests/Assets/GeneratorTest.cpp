#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// Every file the game opens, relative to the assets folder.
const std::vector<std::string> gameFiles = {"Models/Arena2/ARENA_MESH.obj",
                                            "Models/dungeon_set_01_atlas_4096.png",
                                            "Models/Arena2/ARENA_NAV.obj",
                                            "Models/Arena2/ARENA_UNIT.obj",
                                            "Models/simpleCube.obj",
                                            "Models/FlowerBurst.png",
                                            "Models/newCamp.obj",
                                            "Models/camptex.png",
                                            "Models/campflag.png",
                                            "Models/dragon.obj",
                                            "Models/dragon.png",
                                            "Models/orc.obj",
                                            "Models/orc.png",
                                            "Fonts/avenir_LT_14.xml",
                                            "Fonts/avenir_LT_18.xml",
                                            "Fonts/avenir_LT_22.xml",
                                            "Fonts/avenir_LT_36.xml",
                                            "Audio/Background.wav",
                                            "Audio/CreateCamp.wav",
                                            "Audio/FailedCamp.wav",
                                            "Audio/CaptureCamp.wav",
                                            "Audio/LostCamp.wav",
                                            "Audio/ReinforceCamp.wav",
                                            "Audio/LostUnit.wav",
                                            "Audio/Stunned.wav",
                                            "Audio/PickupUnit.wav",
                                            "Audio/SkillShot.wav"};

// A fresh folder of this test's own, removed afterwards.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "quillmarch-assets-XXXXXX").string();
        path = mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    const fs::path& get() const { return path; }

private:
    fs::path path;
};

int runGenerator(const fs::path& output, const fs::path& log)
{
    const std::string command = std::string("'") + QUILLMARCH_ASSET_GENERATOR + "' '" + output.string() +
                                "' > '" + log.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string contentsOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every regular file under `root`, by relative path, with its bytes.
std::map<std::string, std::string> snapshot(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = contentsOf(entry.path());
    return files;
}

TEST(AssetGenerator, WritesTheSameBytesOnEveryRunAndLeavesNothingElse)
{
    ScratchFolder first;
    ScratchFolder second;
    ScratchFolder logs;
    ASSERT_FALSE(first.get().empty());
    ASSERT_EQ(runGenerator(first.get() / "Assets", logs.get() / "first.log"), 0)
        << contentsOf(logs.get() / "first.log");
    ASSERT_EQ(runGenerator(second.get() / "Assets", logs.get() / "second.log"), 0);
    const std::map<std::string, std::string> one = snapshot(first.get() / "Assets");
    const std::map<std::string, std::string> two = snapshot(second.get() / "Assets");
    for (const std::string& file : gameFiles)
        EXPECT_EQ(one.count(file), 1u) << file;
    ASSERT_EQ(one.size(), two.size());
    for (const auto& [file, bytes] : one)
    {
        EXPECT_FALSE(bytes.empty()) << file;
        // No temporary file is left behind.
        EXPECT_EQ(file.find(".tmp"), std::string::npos) << file;
        ASSERT_EQ(two.count(file), 1u) << file;
        EXPECT_TRUE(bytes == two.at(file)) << file << " differs between runs";
    }
    // The build's own run wrote the same: every build folder agrees on the shared Assets/.
    for (const auto& [file, bytes] : one)
        EXPECT_TRUE(contentsOf(fs::path("../Assets") / file) == bytes) << file << " differs from ../Assets";
}

TEST(AssetGenerator, ReportsAFolderItCannotWriteAndFails)
{
    ScratchFolder scratch;
    // A file where the assets folder should be.
    const fs::path blocked = scratch.get() / "Assets";
    std::ofstream(blocked) << "not a folder";
    const fs::path log = scratch.get() / "generator.log";
    EXPECT_NE(runGenerator(blocked, log), 0);
    const std::string output = contentsOf(log);
    EXPECT_NE(output.find("ERROR: "), std::string::npos) << output;
}

TEST(AssetGenerator, AsksForTheFolderWhenCalledWithoutOne)
{
    const std::string command = std::string("'") + QUILLMARCH_ASSET_GENERATOR + "' > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
}
}  // namespace
