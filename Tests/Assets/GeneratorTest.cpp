#include "Support/CommandRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace
{
// Every file the game opens, relative to the assets folder.
const char* const gameFiles[] = {"Models/Arena2/ARENA_MESH.obj",
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

// The asset generator run into a fresh folder of the test's own, removed afterwards.
class AssetGenerator : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quillmarch-assets-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    static CommandRun generate(const std::string& arguments)
    {
        return CommandRun::of(std::string("'") + QUILLMARCH_ASSET_GENERATOR + "' " + arguments);
    }

    static std::string contentsOf(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    fs::path folder;
};

TEST_F(AssetGenerator, WritesTheSameBytesAsTheBuildsOwnRunAndNothingElse)
{
    const CommandRun run = generate("'" + (folder / "Assets").string() + "'");
    ASSERT_EQ(run.exitStatus, 0) << run.output;
    std::map<std::string, std::string> written;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder / "Assets"))
        if (entry.is_regular_file())
            written[fs::relative(entry.path(), folder / "Assets").string()] = contentsOf(entry.path());
    for (const char* file : gameFiles)
        EXPECT_EQ(written.count(file), 1u) << file;
    for (const auto& [file, bytes] : written)
    {
        EXPECT_FALSE(bytes.empty()) << file;
        // No temporary file is left behind, and every build folder agrees on the shared Assets/.
        EXPECT_EQ(file.find(".tmp"), std::string::npos) << file;
        EXPECT_TRUE(contentsOf(fs::path("../Assets") / file) == bytes) << file << " differs from ../Assets";
    }
}

TEST_F(AssetGenerator, FailsAndSaysWhyWithoutAFolderItCanWrite)
{
    EXPECT_GT(generate("").exitStatus, 0);
    // A file where the assets folder should be.
    std::ofstream(folder / "Assets") << "not a folder";
    const CommandRun run = generate("'" + (folder / "Assets").string() + "'");
    EXPECT_GT(run.exitStatus, 0);
    EXPECT_NE(run.output.find("ERROR: "), std::string::npos) << run.output;
}
}  // namespace
