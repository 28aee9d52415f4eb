#include "ScreenCapture.h"
#include "Support/CommandRun.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <irrlicht.h>
#include <iterator>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace
{
std::string contentsOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

// The installed game started in a folder of its own, as a player would start it from a terminal.
class GameProcess
{
public:
    GameProcess(const fs::path& command, const fs::path& folder, const fs::path& log) : logPath(log)
    {
        pid = fork();
        if (pid != 0)
            return;
        // As a terminal leaves them, whatever this test's runner did with them.
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        const bool ready = chdir(folder.c_str()) == 0 && std::freopen(log.c_str(), "w", stdout) &&
                           dup2(fileno(stdout), STDERR_FILENO) >= 0;
        if (ready)
            execl(command.c_str(), command.c_str(), static_cast<char*>(nullptr));
        _exit(126);
    }
    ~GameProcess()
    {
        if (pid > 0 && !finished)
        {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    bool started() const { return pid > 0; }
    bool running()
    {
        if (!finished && waitpid(pid, &status, WNOHANG) == pid)
            finished = true;
        return !finished;
    }
    void send(int signal) const { kill(pid, signal); }
    // The wait status once the game has ended, or nothing if it is still running after `limit`.
    std::optional<int> waitForEnd(std::chrono::seconds limit)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (running() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(50ms);
        return finished ? std::optional<int>(status) : std::nullopt;
    }
    std::string log() const { return contentsOf(logPath); }

private:
    fs::path logPath;
    pid_t pid = -1;
    int status = 0;
    bool finished = false;
};

// The game installed once for the whole suite into a temporary prefix, then moved elsewhere as a
// whole: the installed tree must work wherever it lies.
class InstalledGame : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        std::string pattern = (fs::temp_directory_path() / "quillmarch-install-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        scratch = pattern;
        const fs::path installedAt = scratch / "installed";
        const CommandRun install =
            CommandRun::of(std::string(QUILLMARCH_CMAKE) + " --install " + quoted(QUILLMARCH_BUILD_DIR) +
                           " --prefix " + quoted(installedAt));
        ASSERT_EQ(install.exitStatus, 0) << install.output;
        prefix = scratch / "moved" / "prefix";
        fs::create_directories(prefix.parent_path());
        fs::rename(installedAt, prefix);
        irr::SIrrlichtCreationParameters parameters;
        parameters.DriverType = irr::video::EDT_NULL;
        parameters.LoggingLevel = irr::ELL_ERROR;
        imageDevice = irr::createDeviceEx(parameters);
    }
    static void TearDownTestSuite()
    {
        if (imageDevice)
            imageDevice->drop();
        imageDevice = nullptr;
        std::error_code ignored;
        fs::remove_all(scratch, ignored);
    }
    void SetUp() override { ASSERT_TRUE(fs::exists(prefix / "bin" / "quillmarch")) << "the install failed"; }

    // An empty folder under the scratch folder, unrelated to the installed tree.
    static fs::path freshFolder(const std::string& name)
    {
        const fs::path folder = scratch / name;
        fs::remove_all(folder);
        fs::create_directories(folder);
        return folder;
    }

    static irr::video::IVideoDriver* images() { return imageDevice->getVideoDriver(); }

    static fs::path scratch;
    static fs::path prefix;
    static irr::IrrlichtDevice* imageDevice;
};

fs::path InstalledGame::scratch;
fs::path InstalledGame::prefix;
irr::IrrlichtDevice* InstalledGame::imageDevice = nullptr;

// The start menu: the game's grey clear colour fills most of the screen, and its buttons and the
// opponent count are drawn on it. A window not yet drawn is black.
bool showsStartMenu(irr::video::IImage* screen)
{
    const irr::video::SColor background(255, 70, 70, 70);
    const irr::core::dimension2du size = screen->getDimension();
    irr::u32 backgroundPixels = 0;
    irr::u32 drawnPixels = 0;
    for (irr::u32 y = 0; y < size.Height; ++y)
        for (irr::u32 x = 0; x < size.Width; ++x)
        {
            const irr::u32 rgb = screen->getPixel(x, y).color & 0x00FFFFFF;
            backgroundPixels += rgb == (background.color & 0x00FFFFFF) ? 1 : 0;
            drawnPixels += rgb != (background.color & 0x00FFFFFF) && rgb != 0 ? 1 : 0;
        }
    const irr::u32 all = size.Width * size.Height;
    return backgroundPixels > all / 2 && drawnPixels > all / 50;
}

class InstalledGameClosing : public InstalledGame, public testing::WithParamInterface<int>
{
};

TEST_P(InstalledGameClosing, StartsFromAnUnrelatedFolderShowsItsMenuAndEndsWithSuccess)
{
    const fs::path elsewhere = freshFolder("elsewhere");
    GameProcess game(prefix / "bin" / "quillmarch", elsewhere, elsewhere / "game.log");
    ASSERT_TRUE(game.started());
    bool menuShown = false;
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!menuShown && game.running() && std::chrono::steady_clock::now() < deadline)
    {
        std::this_thread::sleep_for(250ms);
        irr::video::IImage* screen = ScreenCapture::grab(images());
        ASSERT_NE(screen, nullptr) << "no X display: run under xvfb-run";
        menuShown = showsStartMenu(screen);
        fs::create_directories("Output");
        images()->writeImageToFile(screen, "Output/installed_start_menu.png");
        screen->drop();
    }
    ASSERT_TRUE(menuShown) << "see Tests/Output/installed_start_menu.png\n" << game.log();

    game.send(GetParam());
    const std::optional<int> status = game.waitForEnd(30s);
    ASSERT_TRUE(status.has_value()) << "the game did not end on " << strsignal(GetParam());
    ASSERT_TRUE(WIFEXITED(*status)) << "killed by " << strsignal(WTERMSIG(*status)) << "\n" << game.log();
    EXPECT_EQ(WEXITSTATUS(*status), 0) << game.log();
    const std::string log = game.log();
    EXPECT_NE(log.find("MESSAGE: Initialize the main menu scene"), std::string::npos) << log;
    EXPECT_EQ(log.find("ERROR: "), std::string::npos) << log;
}

INSTANTIATE_TEST_SUITE_P(CtrlCAndKill, InstalledGameClosing, testing::Values(SIGINT, SIGTERM),
                         [](const testing::TestParamInfo<int>& info)
                         { return info.param == SIGINT ? std::string("SIGINT") : std::string("SIGTERM"); });

TEST_F(InstalledGame, HandsItsArgumentsToTheGame)
{
    // Without a display the game ends at once, whether or not an observer listens; it has read the switch.
    const fs::path elsewhere = freshFolder("arguments");
    const CommandRun run = CommandRun::of("cd " + quoted(elsewhere) + " && env -u DISPLAY " +
                                          quoted(prefix / "bin" / "quillmarch") + " ws");
    EXPECT_NE(run.exitStatus, 0);
    EXPECT_NE(run.output.find("Websockets Activate"), std::string::npos) << run.output;
}

TEST_F(InstalledGame, ACommandCopiedOutOfItsTreeSaysWhatIsMissing)
{
    const fs::path lonely = freshFolder("lonely") / "bin";
    fs::create_directories(lonely);
    fs::copy_file(prefix / "bin" / "quillmarch", lonely / "quillmarch");
    const CommandRun run = CommandRun::of(quoted(lonely / "quillmarch"));
    EXPECT_NE(run.exitStatus, 0);
    EXPECT_EQ(run.output.rfind("ERROR: ", 0), 0u) << run.output;
    EXPECT_NE(run.output.find("Quillmarch is missing"), std::string::npos) << run.output;
}

// The value of `key` in the desktop entry's text, or "" without one.
std::string entryValue(const std::string& entry, const std::string& key)
{
    const std::size_t start = entry.find("\n" + key + "=");
    if (start == std::string::npos)
        return "";
    const std::size_t value = start + key.size() + 2;
    return entry.substr(value, entry.find('\n', value) - value);
}

TEST_F(InstalledGame, DesktopEntryIsValidAndNamesTheInstalledCommandAndIcon)
{
    const fs::path entryPath = prefix / "share" / "applications" / "quillmarch.desktop";
    const CommandRun validation = CommandRun::of("desktop-file-validate " + quoted(entryPath));
    EXPECT_EQ(validation.exitStatus, 0) << validation.output;
    EXPECT_EQ(validation.output, "");

    const std::string entry = contentsOf(entryPath);
    const fs::path command = prefix / "bin" / entryValue(entry, "Exec");
    EXPECT_EQ(access(command.c_str(), X_OK), 0) << command;
    // Each size in the folder of its size, as menus look for it; the largest one menus ask for is there.
    const std::string icon = entryValue(entry, "Icon") + ".png";
    EXPECT_TRUE(fs::exists(prefix / "share/icons/hicolor/256x256/apps" / icon));
    for (const fs::directory_entry& sizeFolder : fs::directory_iterator(prefix / "share/icons/hicolor"))
    {
        const std::string name = sizeFolder.path().filename().string();
        const irr::u32 size = static_cast<irr::u32>(std::stoul(name));
        EXPECT_EQ(name, std::to_string(size) + "x" + std::to_string(size));
        irr::video::IImage* picture =
            images()->createImageFromFile((sizeFolder.path() / "apps" / icon).c_str());
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_EQ(picture->getDimension(), irr::core::dimension2du(size, size)) << name;
        picture->drop();
    }
}

#ifdef QUILLMARCH_INSTALLS_MATCH_RUNNER
TEST_F(InstalledGame, MatchRunnerWritesItsTelemetryWhereItWasStarted)
{
    const fs::path elsewhere = freshFolder("runner");
    const CommandRun run = CommandRun::of("cd " + quoted(elsewhere) + " && " +
                                          quoted(prefix / "bin" / "quillmarch-match-runner") +
                                          " --orcs 1 --matches 1 --frame-ms 100 --telemetry match.jsonl");
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    EXPECT_NE(run.output.find("match 1:"), std::string::npos) << run.output;
    EXPECT_FALSE(contentsOf(elsewhere / "match.jsonl").empty());
}
#endif
}  // namespace
