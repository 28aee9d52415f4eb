#include "Support/CommandRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// The asset generator, run into a folder of the test's own.
class AssetGenerator : public testing::Test
{
protected:
    void TearDown() override { fs::remove_all(folder); }

    static CommandRun generate(const std::string& arguments)
    {
        return CommandRun::of(std::string("'") + QUILLMARCH_ASSET_GENERATOR + "' " + arguments);
    }

    // Every file under `root`, by its path from there, with its bytes.
    static std::map<std::string, std::string> filesUnder(const fs::path& root)
    {
        std::map<std::string, std::string> files;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        {
            std::ifstream in(entry.path(), std::ios::binary);
            if (entry.is_regular_file())
                files[fs::relative(entry.path(), root).string()].assign(std::istreambuf_iterator<char>(in),
                                                                        {});
        }
        return files;
    }

    const fs::path folder = fs::temp_directory_path() / ("quillmarch-assets-" + std::to_string(getpid()));
    const std::string assets = "'" + (folder / "Assets").string() + "'";
};

TEST_F(AssetGenerator, WritesTheSameFilesAsTheBuildsOwnRunByteForByteAndNothingElse)
{
    const CommandRun run = generate(assets);
    ASSERT_EQ(run.exitStatus, 0) << run.output;
    const auto written = filesUnder(folder / "Assets"), built = filesUnder("../Assets");
    // Every build folder agrees on the shared Assets/, and nothing there is left from an older generator.
    EXPECT_GT(built.size(), 30u);
    for (const auto& [file, bytes] : built)
        EXPECT_TRUE(written.count(file) && written.at(file) == bytes) << file << " differs from ../Assets";
    for (const auto& [file, bytes] : written)
        EXPECT_TRUE(built.count(file) && !bytes.empty() && file.find(".tmp") == std::string::npos) << file;
}

TEST_F(AssetGenerator, FailsAndSaysWhyWithoutAFolderItCanWrite)
{
    EXPECT_GT(generate("").exitStatus, 0);
    // A file where the assets folder should be.
    fs::create_directories(folder);
    std::ofstream(folder / "Assets") << "not a folder";
    const CommandRun run = generate(assets);
    EXPECT_GT(run.exitStatus, 0);
    EXPECT_NE(run.output.find("ERROR: "), std::string::npos) << run.output;
}
}  // namespace
